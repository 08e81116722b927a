/* The atelier's menu commands, controls and dialogs, by identifier: shared
   by the resource script, the code and the robot that drives the program in
   the tests, hence plain defines. A field's label has the field's identifier
   plus LABEL_OFFSET. */
#pragma once

#define LABEL_OFFSET 1000

/* Menu commands and their accelerators. */
#define ID_FILE_NEW 100
#define ID_FILE_OPEN 101
#define ID_FILE_IMPORT 102
#define ID_FILE_SAVE 103
#define ID_FILE_SAVE_AS 104
#define ID_FILE_TRY 105
#define ID_FILE_BUILD 106
#define ID_FILE_EXIT 107
#define ID_FILE_TRY_PAGE 108
#define ID_FILE_BUILD_PAGE 109
#define ID_QUESTION_ADD 110
#define ID_QUESTION_DELETE 111
#define ID_QUESTION_UP 112
#define ID_QUESTION_DOWN 113
#define ID_QUESTION_ADD_FILES 114
#define ID_QUESTION_RESTORE 115
#define ID_FILE_CLASS_RESULTS 116
#define ID_HELP_GUIDE 120
#define ID_HELP_ABOUT 121

/* The quiz's fields: each is IDC_QUIZ_GROUP plus the control of its row in
   the table of the quiz's fields (authoring/source/quiz_field_table.cpp). */
#define IDC_QUIZ_GROUP 200
#define IDC_TITLE 201
#define IDC_AUTHOR 202
#define IDC_EXPLANATIONS 203
#define IDC_LAYOUT 204
#define IDC_REVEAL 205
#define IDC_COLOUR_SWATCH 206
#define IDC_COLOUR_PICK 207
#define IDC_TWO_ANSWERS 208
#define IDC_FIRST_CAPTION 209
#define IDC_SECOND_CAPTION 210
#define IDC_SITE 211
#define IDC_QUIZ_ICON 212
#define IDC_QUIZ_ICON_PICK 213
#define IDC_CODES 214
/* The rules of the accepted answers: check boxes, each with its explanation
   as its label. */
#define IDC_ACCENTS_OPTIONAL 215
#define IDC_ARTICLES_OPTIONAL 216
#define IDC_HYPHENS_AS_SPACES 217
#define IDC_CAPITALS_REQUIRED 218
/* Pupils hand in their work: a check box as the rules'. */
#define IDC_HAND_IN 219

/* The question list and its buttons (the same commands as the menu's). */
#define IDC_LIST_GROUP 300
#define IDC_QUESTION_LIST 301

/* The selected question's fields, its preview and the answer to try. */
#define IDC_QUESTION_GROUP 400
#define IDC_ANSWER 401
#define IDC_SECOND_ANSWER 402
#define IDC_QUESTION_TEXT 403
#define IDC_MEDIUM 404
#define IDC_MEDIUM_PICK 405
#define IDC_REVEAL_PICTURE 406
#define IDC_REVEAL_PICTURE_PICK 407
#define IDC_REVEAL_TEXT 408
#define IDC_PREVIEW 409
#define IDC_PREVIEW_CAPTION 410
#define IDC_PLAY 411
#define IDC_STOP 412
#define IDC_TRY_ANSWER 413
#define IDC_TRY_VERDICT 414
#define IDC_TRY_SECOND_ANSWER 415
#define IDC_TRY_SECOND_VERDICT 416
#define IDC_TRY_REMARKS 417
#define IDC_OTHER_ANSWERS 418
#define IDC_OTHER_SECOND_ANSWERS 419

/* The problems of the check, and the status bar. */
#define IDC_PROBLEM_GROUP 500
#define IDC_PROBLEMS 501
#define IDC_STATUS 502
#define IDC_PROBLEM_DETAILS 503 /* the chosen problem, whole */

/* The new quiz's layout: a dialog of four choices. */
#define IDD_NEW_QUIZ 600
#define IDC_NEW_TEXT 601
#define IDC_NEW_PICTURE 602
#define IDC_NEW_SOUND 603
#define IDC_NEW_FILM 604

/* The atelier's own questions, their text in IDC_ASK_TEXT. Unsaved changes:
   Enregistrer (IDYES), Ne pas enregistrer (IDNO), Annuler (IDCANCEL). A
   recovery copy: Récupérer (IDYES), Ignorer (IDNO). */
#define IDD_SAVE_CHANGES 610
#define IDC_ASK_TEXT 611
#define IDD_RECOVER 612
/* A quiz program created: Ouvrir le dossier (IDYES), Essayer le quiz (IDNO),
   Fermer (IDCANCEL); a quiz page created: the same, Ouvrir dans le
   navigateur trying it. */
#define IDD_CREATED 613
#define IDD_PAGE_CREATED 614

#define ATELIER_ACCELERATORS 620
#define ATELIER_MENU 621

/* The class's results, a window of its own: its commands (buttons), its
   panes, and its keys. */
#define IDC_RESULTS_ADD 701
#define IDC_RESULTS_PASTE 702
#define IDC_RESULTS_EXPORT 703
#define IDC_RESULTS_PAGE 704
#define IDC_RESULTS_CLEAR 705
#define IDC_RESULTS_NOTE 706
#define IDC_RESULTS_PROBLEMS 707
#define IDC_RESULTS_TABLE 708
#define IDC_RESULTS_CHARTS 709
#define IDC_RESULTS_WRONG 710
#define IDC_RESULTS_STATUS 711
#define RESULTS_ACCELERATORS 720
