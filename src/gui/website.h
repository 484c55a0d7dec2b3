// The project's web address: shown by the dialog's web label and opened by
// Info > Website. Plain #define so the resource script can use it as well.
#pragma once

#define QV_WEBSITE "https://qv-race-installer.example/"
