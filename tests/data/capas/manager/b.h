#include "fieldbook/a.h"
#include <QString>
