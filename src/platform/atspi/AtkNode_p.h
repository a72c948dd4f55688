#pragma once

#include <atk/atk.h>

#include <string>

#include "framework/Accessible.h"

class TAtspiBridge;

// The ATK object of one accessibility node. Its class implements the ATK interfaces that
// the node's role and action call for (component always; action, table and selection, text).
AtkObject* NewAtkNode(TAtspiBridge& bridge, TAccessible& node);
// The node behind an object; null once the node has gone.
TAccessible* AtkNodeTarget(AtkObject* object);
// The node went away: the object answers as defunct from now on.
void DetachAtkNode(AtkObject* object);
// The text the object last reported, so that a change can say what it replaced.
std::string& AtkNodeShownText(AtkObject* object);
// The text a text object reads: the value, or the name where there is none.
std::string AtkNodeText(const TAccDescription& d);
AtkRole AtkRoleOf(const TAccDescription& d);
