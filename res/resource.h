// Identifiers shared by the resource script and the program.
#pragma once

#define IDI_PROGRAM 1
#define IDR_MAIN_MENU 101
#define IDR_SHORTCUTS 102

#define IDM_UPGRADE 40001
#define IDM_FEEDBACK 40002
