/* Identifiers of the player's own resources; shared by the resource script
   and the code, hence plain defines. */
#pragma once

/* The application's icon: the lowest identifier of the icon groups, which
   Explorer takes as the program's icon. quizzpack replaces its images with a
   quiz's own icon. */
#define APPLICATION_ICON 1
#define PANEL_TEMPLATE 1001
#define LINK_CURSOR 1003
#define PLAY_ICON 1004
#define STOP_ICON 1005
/* The dialogs of a quiz whose pupils hand in their work: the pupil's name,
   and "Rendre mon travail". */
#define NAME_DIALOG 1006
#define HAND_IN_DIALOG 1007
#define NAME_FIELD 1010
#define SAVE_FILE_BUTTON 1011
#define COPY_TEXT_BUTTON 1012
