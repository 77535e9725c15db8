// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_APPLICATION_ICON 1
