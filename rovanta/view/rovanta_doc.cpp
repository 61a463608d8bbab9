#include "view/rovanta_doc.h"
