// The program's entry point: the one application object.
#include "app/SitequillApp.h"

wxIMPLEMENT_APP(CSitequillApp);
