#include "manager/b.h"
