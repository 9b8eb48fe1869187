// Resource ids shared by the stand-in's module tests and the modules they load.
#pragma once

// The test program's application title (the framework's AFX_IDS_APP_TITLE).
#define IDS_TEST_APP_TITLE 0xE000

// Strings: each module has its own, and some ids are in more than one module so that the search order
// decides which text is found.
#define IDS_ONLY_IN_PROGRAM 2001
#define IDS_IN_PROGRAM_AND_EXTENSION 2002
#define IDS_ONLY_IN_EXTENSION 2003
#define IDS_IN_EXTENSION_AND_RESOURCES 2004
#define IDS_ONLY_IN_RESOURCES 2005
#define IDS_EMPTY_BLOCK_NEIGHBOUR 2006 // in no module, but its block exists in the extension
#define IDS_IN_NO_MODULE 2400
#define IDS_FORMAT_IN_PROGRAM 2007
#define IDS_REGISTRY_KEY 2008
#define IDS_ONLY_IN_SYSTEM 2009
#define IDS_IN_RESOURCES_AND_SYSTEM 2010

// Dialog templates.
#define IDD_PROGRAM_DIALOG 3001
#define IDD_EXTENSION_DIALOG 3002
#define IDD_SHARED_DIALOG 3003
