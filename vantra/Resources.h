#pragma once

// Resource ids of the launcher, shared by the resource script and the code.
#define IDI_PROGRAM 1
#define IDB_SPLASH 101
