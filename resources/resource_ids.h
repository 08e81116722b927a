/* Identifiers of the player's own resources; shared by the resource script
   and the code, hence plain defines. */
#pragma once

#define PANEL_TEMPLATE 1001
#define LINK_CURSOR 1003
#define PLAY_ICON 1004
#define STOP_ICON 1005
