#include "app/QvHalcyonSetupBootApp.h"

// The one application object, made during static initialisation.
QvHalcyonSetupBootApp theApp;
