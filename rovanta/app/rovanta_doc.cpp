#include "app/rovanta_doc.h"
