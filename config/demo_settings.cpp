// The one instance of the demo's top-level settings.
#include "demo_settings.h"

DemoSettings demoSettings;
