// The quiz page: reads the quiz's resources from the page, hands them to the
// grading core and shows the quiz as the Windows player does, adapted to a
// browser. Every verdict, the score's count and the reveal come from the
// core (quizz_grade); this code only shows them. Nothing read from the page,
// the storage or a file is ever written as HTML: texts go to textContent.
"use strict";
(function () {
  var LAYOUT_PICTURE = 1, LAYOUT_SOUND = 2, LAYOUT_FILM = 3;
  var REVEAL_PICTURE = 1;
  var TEXT_TITLE = 0, TEXT_AUTHOR = 1, TEXT_EXPLANATIONS = 2, TEXT_FIRST_CAPTION = 3;
  var TEXT_SITE = 5, TEXT_SITE_HOST = 6, TEXT_QUESTION = 7, TEXT_REVEAL = 8;
  var NUMBER_LAYOUT = 0, NUMBER_QUESTIONS = 1, NUMBER_BOXES_PER_QUESTION = 2, NUMBER_REVEAL_MODE = 3;
  var NUMBER_COLOUR = 4, NUMBER_VERDICTS = 5, NUMBER_ANSWERS_FILE_SIZE = 6, NUMBER_WORK_ASKED = 7;
  var SOLVED = 1 << 8, REVEALS = 1 << 9;
  // An answers file holds at most 180 lines of 259 bytes: anything much
  // larger is not one.
  var MAX_ANSWERS_FILE = 1 << 20;

  function byId(id) {
    return document.getElementById(id);
  }
  function add(parent, tag, className, text) {
    var made = document.createElement(tag);
    if (className) made.className = className;
    if (text) made.textContent = text;
    parent.appendChild(made);
    return made;
  }
  var messages = byId("quiz-messages");
  function tell(text) {
    add(messages, "p", "", text);
    messages.hidden = false;
  }

  // Each resource's base64 text, decoded only when asked for: a page of 90
  // pictures shows its first screen without decoding the others. The media
  // past the first screen stand after this code, read once the page is.
  var encoded = {}, decoded = {};
  function collect() {
    document.querySelectorAll('script[type="application/x-quizz"]').forEach(function (element) {
      var name = element.dataset.type + " " + element.dataset.id;
      if (!(name in encoded)) encoded[name] = element.textContent.trim();
    });
  }
  collect();
  // What needs a resource that may stand after this code runs once the page
  // is read.
  function whenRead(then) {
    if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", then);
    else then();
  }
  whenRead(collect);
  function decode(base64, name) {
    try {
      var text = atob(base64);
    } catch (error) {
      tell("La ressource " + name + " de cette page est abîmée : refaites la page du quiz avec l'atelier ou quizzpack.");
      return null;
    }
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    return bytes;
  }
  function resource(name) {
    if (!(name in decoded)) decoded[name] = name in encoded ? decode(encoded[name], name) : null;
    return decoded[name];
  }

  // Answers, and the name of the pupil who hands them in, are kept under the
  // quiz's identity, its payloads' hash, so that two quizzes opened from the
  // same place never mix them.
  function quizIdentity() {
    var hash = 0x811c9dc5, length = 0;
    ["PATCH 104", "PATCH 105"].forEach(function (name) {
      var bytes = resource(name) || new Uint8Array(0);
      for (var i = 0; i < bytes.length; i++) hash = Math.imul(hash ^ bytes[i], 0x01000193);
      length += bytes.length;
    });
    return (hash >>> 0).toString(16) + "-" + length;
  }
  // Storage may be refused (private browsing, a full quota, a file:// page
  // in some browsers): the quiz then plays without remembering.
  function stored(key) {
    try {
      return JSON.parse(localStorage.getItem(key));
    } catch (error) {
      return null;
    }
  }
  function store(key, value) {
    try {
      if (value) localStorage.setItem(key, JSON.stringify(value));
      else localStorage.removeItem(key);
    } catch (error) {}
  }

  // Bytes the page made, downloaded as a file: a blob: address, which the
  // page's policy allows, kept a while for browsers that read it late
  // (Safari on iOS).
  function download(bytes, name, type) {
    var link = add(document.body, "a");
    link.href = URL.createObjectURL(new Blob([bytes], {type: type}));
    link.download = name;
    link.click();
    link.remove();
    setTimeout(function () {
      URL.revokeObjectURL(link.href);
    }, 10000);
  }

  function startQuiz(core) {
    var utf8 = new TextDecoder(), encoder = new TextEncoder();
    function bytesAt(pointer) {
      var end = pointer;
      while (pointer && core.HEAPU8[end]) end++;
      return core.HEAPU8.subarray(pointer, end);
    }
    function text(pointer) {
      return pointer ? utf8.decode(bytesAt(pointer)) : "";
    }
    function block(bytes) {
      if (!bytes) return [0, -1];
      var pointer = core._quizz_block(bytes.length);
      core.HEAPU8.set(bytes, pointer);
      return [pointer, bytes.length];
    }
    // A text handed to the core as UTF-8 ending in a zero, in a block the
    // core frees.
    function textBlock(value) {
      var bytes = encoder.encode(value);
      var pointer = core._quizz_block(bytes.length + 1);
      core.HEAPU8.set(bytes, pointer);
      core.HEAPU8[pointer + bytes.length] = 0;
      return pointer;
    }
    function mediaType(bytes) {
      var head = block(bytes.subarray(0, 64));
      return text(core._quizz_media_type(head[0], head[1]));
    }
    var urls = {};
    function resourceUrl(name) {
      var bytes = resource(name);
      if (!bytes) return "";
      if (!urls[name]) urls[name] = URL.createObjectURL(new Blob([bytes], {type: mediaType(bytes)}));
      return urls[name];
    }
    // A picture as a data: address of its own base64 text, which the
    // browser decodes when the picture comes into view.
    function pictureUrl(name) {
      var base64 = encoded[name], head = base64 && decode(base64.slice(0, 88), name);
      return head ? "data:" + mediaType(head) + ";base64," + base64 : "";
    }
    function number(which) {
      return core._quizz_number(which);
    }
    function quizText(which, question) {
      return text(core._quizz_text(which, question));
    }

    var quiz = block(resource("PATCH 104")), codes = block(resource("PATCH 105"));
    var site = block(resource("PATCH 106")), rules = block(resource("PATCH 108"));
    var workKey = block(resource("PATCH 109"));
    core._quizz_load(quiz[0], quiz[1], codes[0], codes[1], site[0], site[1], rules[0], rules[1],
      workKey[0], workKey[1]);
    for (var m = 0; core._quizz_message(m); m++) tell(text(core._quizz_message(m)));

    var layout = number(NUMBER_LAYOUT), revealMode = number(NUMBER_REVEAL_MODE);
    var count = number(NUMBER_QUESTIONS), perQuestion = number(NUMBER_BOXES_PER_QUESTION);
    var verdicts = [], verdictColours = [];
    for (var v = 0; v < number(NUMBER_VERDICTS); v++) {
      verdicts.push(text(core._quizz_verdict_text(v)));
      verdictColours.push(core._quizz_verdict_colour(v));
    }
    var bravo = verdicts[0];

    byId("quiz-title").textContent = quizText(TEXT_TITLE, -1);
    byId("quiz-explanations").textContent = quizText(TEXT_EXPLANATIONS, -1);
    byId("quiz-author").textContent = quizText(TEXT_AUTHOR, -1);
    var link = byId("quiz-site"), address = quizText(TEXT_SITE, -1);
    link.textContent = quizText(TEXT_SITE_HOST, -1);
    // Only a web address is opened; the maker's may be written without its
    // scheme, as the player's shell takes it.
    if (/^https?:\/\//i.test(address)) link.href = address;
    else if (address && !/[:\/\\]/.test(address.split("/")[0])) link.href = "https://" + address;
    whenRead(function () {
      var icon = resourceUrl("ICON 1");
      if (icon) {
        var iconLink = add(document.head, "link");
        iconLink.rel = "icon";
        iconLink.href = icon;
      }
    });

    var colour = number(NUMBER_COLOUR);
    if (colour >= 0) {
      // The panel's colour, with black or white text, whichever reads better.
      var channels = [colour >> 16, (colour >> 8) & 255, colour & 255].map(function (c) {
        c /= 255;
        return c <= 0.03928 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
      });
      var luminance = 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
      document.body.style.backgroundColor = "#" + (0x1000000 + colour).toString(16).slice(1);
      document.body.style.color = (luminance + 0.05) / 0.05 >= 1.05 / (luminance + 0.05) ? "#000" : "#fff";
    }

    var cells = byId("quiz-cells");
    cells.className = "cells layout-" + layout;
    var boxes = [], verdictLabels = [], grades = [];
    var sound = byId("quiz-sound");

    // A picture gets its address as it comes near the view: the first screen
    // shows without the others being read.
    var unseen = "IntersectionObserver" in window && new IntersectionObserver(function (entries) {
      entries.forEach(function (entry) {
        var picture = entry.target;
        if (!entry.isIntersecting) return;
        unseen.unobserve(picture);
        showPicture(picture);
      });
    }, {rootMargin: "50% 0px"});
    function showPicture(picture) {
      var name = "IMG " + (400 + Number(picture.dataset.question));
      if (!(name in encoded)) {
        whenRead(function () {
          if (!(name in encoded)) picture.remove();
          else if (!picture.revealed) picture.src = pictureUrl(name);
        });
      } else if (!picture.revealed) {
        picture.src = pictureUrl(name);
      }
    }

    function cell(i) {
      var section = add(cells, "section", "cell");
      section.dataset.question = i;
      if (layout === LAYOUT_PICTURE) {
        var frame = add(section, "div", "frame");
        var picture = add(frame, "img");
        picture.id = "picture-" + i;
        picture.alt = "Image de la question " + i;
        picture.dataset.question = i;
        // The first screen's pictures, which stand before this code, at
        // once; the others as they come near the view.
        if (unseen && !("IMG " + (400 + i) in encoded)) unseen.observe(picture);
        else showPicture(picture);
      } else if (layout === LAYOUT_SOUND) {
        var controls = add(section, "div", "media");
        var play = add(controls, "button", "", "▶ Écouter");
        play.setAttribute("aria-label", "Écouter le son de la question " + i);
        play.addEventListener("click", function () {
          // One sound at a time, as the player plays them; a sound past the
          // first screen's may still be on its way.
          whenRead(function () {
            var url = resourceUrl("IMG " + (400 + i));
            if (!url) {
              tell("Le son de la question " + i + " manque à cette page : refaites la page du quiz avec l'atelier ou quizzpack.");
              return;
            }
            sound.src = url;
            sound.play().catch(function () {});
          });
        });
        var stop = add(controls, "button", "", "■ Arrêter");
        stop.setAttribute("aria-label", "Arrêter le son");
        stop.addEventListener("click", function () {
          sound.pause();
          sound.removeAttribute("src");
        });
      } else if (layout === LAYOUT_FILM) {
        var film = add(section, "video", "film");
        film.controls = true;
        film.setAttribute("playsinline", "");
        film.preload = "metadata";
        film.setAttribute("aria-label", "Film de la question " + i);
        whenRead(function () {
          var filmUrl = resourceUrl("IMG " + (400 + i));
          if (filmUrl) {
            film.addEventListener("error", function () {
              add(section, "p", "note", "Ce navigateur ne sait pas lire ce film : demandez à l'auteur du quiz de le refaire en MP4.");
            });
            film.src = filmUrl;
          } else {
            add(section, "p", "note", "Le film de cette question manque à cette page : refaites la page du quiz avec l'atelier ou quizzpack.");
          }
        });
      } else {
        add(section, "p", "question", quizText(TEXT_QUESTION, i - 1));
      }
      var answers = add(section, "div", "answers");
      add(answers, "span", "number", i + ".").setAttribute("aria-hidden", "true");
      for (var j = 1; j <= perQuestion; j++) {
        var n = perQuestion * (i - 1) + j;
        var answer = add(answers, "div", "answer");
        var box = document.createElement("input");
        box.type = "text";
        box.id = "box-" + n;
        box.autocomplete = "off";
        box.spellcheck = false;
        box.setAttribute("autocapitalize", "none");
        box.setAttribute("autocorrect", "off");
        box.setAttribute("aria-label", "Question " + i + (perQuestion > 1 ? ", réponse " + j : ""));
        if (perQuestion > 1) {
          var caption = add(answer, "span", "caption", quizText(TEXT_FIRST_CAPTION + j - 1, -1));
          caption.id = "caption-" + n;
          box.setAttribute("aria-describedby", caption.id);
        }
        answer.appendChild(box);
        var verdict = add(answer, "div", "verdict", "?");
        verdict.id = "verdict-" + n;
        boxes.push(box);
        verdictLabels.push(verdict);
        listen(box, n);
      }
      if (layout === LAYOUT_PICTURE) add(section, "p", "reveal").id = "reveal-" + i;
    }

    var identity = quizIdentity(), key = "quizz-reponses-" + identity, lastBox = null;
    var dialog = byId("restart-dialog");
    // Written a moment after the last grading, and at once when the page
    // is hidden or left, so that typing is never slowed by the storage.
    var saving = 0;
    function saveNow() {
      clearTimeout(saving);
      saving = 0;
      store(key, boxes.map(function (box) {
        return box.value;
      }));
    }
    function save() {
      if (!saving) saving = setTimeout(saveNow, 300);
    }
    window.addEventListener("pagehide", function () {
      if (saving) saveNow();
    });
    document.addEventListener("visibilitychange", function () {
      if (saving && document.visibilityState === "hidden") saveNow();
    });

    function grade(i) {
      for (var j = 0; j < perQuestion; j++) {
        var n = perQuestion * (i - 1) + j;
        core._quizz_set_box(n, textBlock(boxes[n].value));
        // The box shows what the core grades: a character the player's box
        // cannot hold reads "?" there too.
        var held = text(core._quizz_box(n));
        if (held !== boxes[n].value) boxes[n].value = held;
      }
      var result = core._quizz_grade(i - 1);
      grades[i - 1] = result;
      for (j = 0; j < perQuestion; j++) {
        var index = (result >> (4 * j)) & 15, label = verdictLabels[perQuestion * (i - 1) + j];
        var shown = index < verdicts.length ? verdicts[index] : "?";
        if (label.textContent !== shown) label.textContent = shown;
        var background = index < verdicts.length ? verdictColours[index] : -1;
        if (label.colour !== background) {
          label.colour = background;
          label.style.backgroundColor = background < 0 ? "" : "#" + (0x1000000 + background).toString(16).slice(1);
          label.classList.toggle("graded", background >= 0);
        }
      }
      var reveal = byId("reveal-" + i);
      if (reveal) {
        var revealed = result & REVEALS;
        if (revealMode === REVEAL_PICTURE) {
          // A reveal picture, once shown, stays, as in the player.
          var picture = byId("picture-" + i);
          if (revealed && picture && !picture.revealed && !picture.revealing) {
            picture.revealing = true;
            whenRead(function () {
              picture.revealing = false;
              var url = !picture.revealed && pictureUrl("IMG " + (10400 + i));
              if (url) {
                picture.revealed = true;
                picture.src = url;
                picture.alt = "Image révélée de la question " + i;
              }
            });
          }
        } else {
          reveal.textContent = revealed ? quizText(TEXT_REVEAL, i - 1) : "";
        }
      }
    }
    // Written only when the count changes: most gradings leave it.
    var shownSolved = -1, score = byId("quiz-score"), code = byId("quiz-code");
    function showScore() {
      var solved = 0;
      for (var q = 0; q < grades.length; q++) if (grades[q] & SOLVED) solved++;
      if (solved === shownSolved) return;
      shownSolved = solved;
      score.textContent = solved + " / " + count;
      code.textContent = solved ? text(core._quizz_code(solved)) : "";
    }
    function gradeBox(n) {
      grade(Math.floor((n - 1) / perQuestion) + 1);
      showScore();
      save();
    }

    // The player's F1: the text of one box tried in every box not yet
    // right, each graded.
    function tryEverywhere(from) {
      gradeBox(from);
      var typed = boxes[from - 1].value, questions = {};
      for (var n = 1; n <= boxes.length; n++) {
        if (verdictLabels[n - 1].textContent !== bravo) {
          boxes[n - 1].value = typed;
          questions[Math.floor((n - 1) / perQuestion) + 1] = true;
        }
      }
      Object.keys(questions).forEach(function (i) {
        grade(Number(i));
      });
      showScore();
      save();
      boxes[from - 1].focus();
    }

    function listen(box, n) {
      box.addEventListener("change", function () {
        gradeBox(n);
      });
      box.addEventListener("blur", function () {
        gradeBox(n);
      });
      box.addEventListener("focus", function () {
        lastBox = n;
        box.setSelectionRange(0, 25);
      });
      box.addEventListener("keydown", function (event) {
        // Keys that end a word being composed (accents, Asian scripts) are
        // the input method's.
        if (event.isComposing) return;
        if (event.key === "Enter" || event.key === "Tab") {
          if (event.key === "Enter") event.preventDefault();
          gradeBox(n);
        } else if ((event.key === "ArrowUp" || event.key === "ArrowDown") && !event.altKey) {
          var next = boxes[n - 1 + (event.key === "ArrowUp" ? -1 : 1)];
          event.preventDefault();
          if (next) next.focus();
        }
      });
    }

    function gradeAll() {
      for (var i = 1; i <= count; i++) grade(i);
      showScore();
    }

    for (var i = 1; i <= count; i++) cell(i);
    var answers = stored(key);
    if (Array.isArray(answers)) {
      answers.forEach(function (answer, n) {
        if (n < boxes.length && typeof answer === "string") boxes[n].value = answer;
      });
    }
    gradeAll();
    // Verdicts and reveals are told as they change, not all at once as the
    // answers come back.
    document.querySelectorAll(".verdict, .reveal").forEach(function (label) {
      label.setAttribute("aria-live", "polite");
    });

    // F1 tries the box being typed in, or the last one used, and never
    // opens the browser's help over the quiz.
    document.addEventListener("keydown", function (event) {
      if (event.key !== "F1") return;
      event.preventDefault();
      if (boxes.length && !document.querySelector("dialog[open]")) tryEverywhere(lastBox || 1);
    });
    byId("complete").addEventListener("click", function () {
      if (boxes.length) tryEverywhere(lastBox || 1);
    });

    // A sound and a film never play together, nor two films.
    document.addEventListener("play", function (event) {
      document.querySelectorAll("audio, video").forEach(function (media) {
        if (media !== event.target) media.pause();
      });
    }, true);

    byId("save-answers").addEventListener("click", function () {
      var pointer = core._quizz_answers_file();
      var bytes = core.HEAPU8.slice(pointer, pointer + number(NUMBER_ANSWERS_FILE_SIZE));
      var name = decodeURIComponent(location.pathname.split("/").pop() || "");
      download(bytes, (name.replace(/\.html?$/i, "") || "quizz") + ".txt", "text/plain");
    });

    function refill() {
      boxes.forEach(function (box, n) {
        box.value = text(core._quizz_box(n));
      });
      gradeAll();
      save();
    }
    var answersInput = byId("load-answers");
    answersInput.addEventListener("change", function () {
      var file = answersInput.files[0];
      answersInput.value = "";
      if (!file) return;
      if (file.size > MAX_ANSWERS_FILE) {
        tell("« " + file.name + " » n'est pas un fichier de réponses (il est bien trop grand) : choisissez le fichier .txt enregistré par ce quiz.");
        return;
      }
      file.arrayBuffer().then(function (buffer) {
        var read = block(new Uint8Array(buffer));
        core._quizz_read_answers_file(read[0], read[1]);
        refill();
      }, function () {
        tell("Le fichier « " + file.name + " » n'a pas pu être lu : vérifiez qu'il est bien là, puis réessayez.");
      });
    });

    function restart() {
      boxes.forEach(function (box) {
        box.value = "";
      });
      for (var i = 1; i <= count; i++) {
        var picture = byId("picture-" + i);
        if (picture && picture.revealed) {
          picture.src = pictureUrl("IMG " + (400 + i));
          picture.alt = "Image de la question " + i;
          picture.revealed = false;
        }
      }
      gradeAll();
      clearTimeout(saving);
      saving = 0;
      store(key, null);
    }
    byId("restart").addEventListener("click", function () {
      if (dialog.showModal) dialog.showModal();
      else if (confirm(byId("restart-question").textContent)) restart();
    });
    byId("restart-confirm").addEventListener("click", function () {
      dialog.close();
      restart();
      if (boxes.length) boxes[0].focus();
    });
    byId("restart-cancel").addEventListener("click", function () {
      dialog.close();
    });

    // A quiz whose pupils hand in their work: the pupil's name, asked once
    // and remembered with the answers, and the results the core makes of
    // the boxes, as a file or as a block of text to paste in a message.
    function handInWork() {
      var nameKey = "quizz-eleve-" + identity, pupil = stored(nameKey);
      var nameDialog = byId("name-dialog"), nameInput = byId("name-input");
      var handIn = byId("hand-in-dialog"), handInName = byId("hand-in-name");
      var manual = byId("hand-in-manual"), area = byId("hand-in-block"), status = byId("hand-in-status");
      var newPupil = byId("new-pupil-dialog");
      byId("work").hidden = false;
      function showPupil(name) {
        pupil = name;
        byId("pupil-name").textContent = name;
        byId("pupil").hidden = !name;
      }
      showPupil(typeof pupil === "string" ? pupil : "");
      // Storage refused, the name is asked again next time.
      function remember(name) {
        showPupil(name);
        store(nameKey, name);
      }
      // A browser without dialogs shows them in the page.
      function showDialog(element) {
        if (element.showModal) element.showModal();
        else element.setAttribute("open", "");
      }
      function closeDialog(element) {
        if (element.close) element.close();
        else element.removeAttribute("open");
      }
      // The name typed in input, its blanks tidied; none is told.
      function typedName(input, problem) {
        var name = input.value.replace(/\s+/g, " ").trim();
        byId(problem).textContent = name ? "" : "Écrivez votre prénom et votre nom, puis recommencez.";
        if (!name) input.focus();
        else if (name !== pupil) remember(name);
        return name;
      }
      function askName() {
        nameInput.value = "";
        byId("name-problem").textContent = "";
        showDialog(nameDialog);
        nameInput.focus();
      }
      function nameGiven() {
        if (typedName(nameInput, "name-problem")) closeDialog(nameDialog);
      }
      byId("name-confirm").addEventListener("click", nameGiven);
      nameInput.addEventListener("keydown", function (event) {
        if (event.key === "Enter" && !event.isComposing) nameGiven();
      });
      if (!pupil) askName();

      // Local time, as the pupil's clock tells it: "2026-12-08 10:32".
      function now() {
        var date = new Date();
        function two(part) {
          return (part < 10 ? "0" : "") + part;
        }
        return date.getFullYear() + "-" + two(date.getMonth() + 1) + "-" + two(date.getDate()) + " " +
          two(date.getHours()) + ":" + two(date.getMinutes());
      }
      byId("hand-in").addEventListener("click", function () {
        // What is handed in is what the boxes show.
        gradeAll();
        handInName.value = pupil;
        byId("hand-in-problem").textContent = status.textContent = "";
        manual.hidden = true;
        showDialog(handIn);
      });
      byId("hand-in-download").addEventListener("click", function () {
        var name = typedName(handInName, "hand-in-problem");
        if (!name) return;
        var file = bytesAt(core._quizz_results(textBlock(name), textBlock(now()), 0)).slice();
        var fileName = text(core._quizz_results_file_name(textBlock(name)));
        download(file, fileName, "text/plain;charset=utf-8");
        manual.hidden = true;
        status.textContent = "Le fichier « " + fileName + " » est dans vos téléchargements : déposez-le sur l'ENT ou envoyez-le à votre professeur.";
      });
      byId("hand-in-copy").addEventListener("click", function () {
        var name = typedName(handInName, "hand-in-problem");
        if (!name) return;
        var results = text(core._quizz_results(textBlock(name), textBlock(now()), 1));
        // Refused on a file:// page or by an old browser: the pupil copies it.
        function showBlock() {
          status.textContent = "";
          manual.hidden = false;
          area.value = results;
          area.focus();
          area.setSelectionRange(0, results.length);
        }
        if (navigator.clipboard && navigator.clipboard.writeText) {
          navigator.clipboard.writeText(results).then(function () {
            manual.hidden = true;
            status.textContent = "Le texte est copié : collez-le dans un message à votre professeur.";
          }, showBlock);
        } else {
          showBlock();
        }
      });
      byId("hand-in-close").addEventListener("click", function () {
        closeDialog(handIn);
      });

      byId("new-pupil").addEventListener("click", function () {
        byId("new-pupil-question").textContent =
          (pupil ? "Les réponses de " + pupil : "Les réponses") + " seront effacées de cet appareil.";
        showDialog(newPupil);
        byId("new-pupil-cancel").focus();
      });
      byId("new-pupil-cancel").addEventListener("click", function () {
        closeDialog(newPupil);
      });
      byId("new-pupil-confirm").addEventListener("click", function () {
        closeDialog(newPupil);
        restart();
        remember("");
        askName();
      });
    }
    if (number(NUMBER_WORK_ASKED)) handInWork();

    document.documentElement.dataset.ready = "1";
  }

  QuizzCore().then(startQuiz, function () {
    tell("Le quiz n'a pas pu démarrer dans ce navigateur : ouvrez la page dans un navigateur à jour (Firefox, Chrome, Edge ou Safari).");
  });
})();
