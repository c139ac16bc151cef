#pragma once
// A planted fault: the data layer reaching up into the trees.

#include "edit/Tree.h"
#include "common/Texts.h"
