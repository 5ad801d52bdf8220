// Identifiers shared by the resource script and the code that loads them.
#pragma once

#define UMBRAFOLD_ICON 1
