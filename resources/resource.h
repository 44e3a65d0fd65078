// Ids shared by quorvel.rc and the code. Plain #defines only: the resource
// compiler reads this file too.
#ifndef QUORVEL_RESOURCE_H
#define QUORVEL_RESOURCE_H

// String table
#define IDS_APP_TITLE      103  // window title
#define IDS_CLASS_NAME     109  // window class name

// Dialogs, icons, menu, accelerators
#define IDD_ABOUTBOX       103
#define IDI_QUORVEL        107  // large program icon
#define IDI_SMALL          108  // small program icon, the same pictures
#define IDR_MAINMENU       109
#define IDR_ACCELERATORS   109

// Menu commands
#define IDM_ABOUT          104
#define IDM_EXIT           105
#define IDM_OPEN           110
#define IDM_CHECK          116

// Controls of the main window. The instruction field and the message field
// share one id; the program addresses its controls by handle only.
#define IDC_NAME_FIELD     111
#define IDC_CHECK_BUTTON   112
#define IDC_TEXT_FIELD     113
#define IDC_GUTTER         114
#define IDC_EXCERPT_VIEW   115

#ifndef IDC_STATIC
#define IDC_STATIC         (-1)
#endif

// The operator's web site, named in the About box.
#define QUORVEL_WEB_SITE   "www.example.org"

#endif
