#pragma once

#include "framework/Accessible.h"

// The accessibility tree as UI Automation shows it. Hidden controls (a page behind its tab, a
// hidden button) are left out, as the system leaves out hidden windows; rows, cells, column
// headers and tabs scrolled out of view stay in, marked off-screen, so that a reader can still
// reach every row.

bool IsExposed(TAccessible& node);

// The first exposed child at index from, from + step, from + 2 step, ...; null when none.
TAccessible* ExposedChild(TAccessible& parent, int from, int step);

// The exposed node with the keyboard focus inside form (not the form itself); null when none.
TAccessible* FocusedNodeIn(TAccessible& form);

// The nearest ancestor that holds its children's selection (a page tab list or a table).
TAccessible* SelectionContainerOf(TAccessible& node);
// The nearest ancestor that is a table.
TAccessible* TableOf(TAccessible& node);
