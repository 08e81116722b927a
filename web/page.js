// The quiz page: reads the quiz's resources from the page, hands them to the
// grading core and shows the quiz.
"use strict";
(function () {
  var resources = {};
  document.querySelectorAll('script[type="application/x-quizz"]').forEach(function (element) {
    var text = atob(element.textContent.trim());
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
    resources[element.dataset.type + " " + element.dataset.id] = bytes;
  });
  QuizzCore().then(function (core) {
    var utf8 = new TextDecoder();
    function text(pointer) {
      if (!pointer) return "";
      var end = pointer;
      while (core.HEAPU8[end]) end++;
      return utf8.decode(core.HEAPU8.subarray(pointer, end));
    }
    function block(bytes) {
      if (!bytes) return [0, -1];
      var pointer = core._quizz_block(bytes.length);
      core.HEAPU8.set(bytes, pointer);
      return [pointer, bytes.length];
    }
    var quiz = block(resources["PATCH 104"]), codes = block(resources["PATCH 105"]);
    var site = block(resources["PATCH 106"]), rules = block(resources["PATCH 108"]);
    core._quizz_load(quiz[0], quiz[1], codes[0], codes[1], site[0], site[1], rules[0], rules[1]);
    var title = document.createElement("h1");
    title.textContent = text(core._quizz_text(0, -1));
    document.body.appendChild(title);
  });
})();
