// app/constellation_edit.h - editing constellation figures on the chart: a drag from one star
// (or deep-sky object) to another adds the figure line between them, or removes it when there is
// one already.
#pragma once

#include "objects/records.h"

namespace qv {

// FindFigureLine: the figure line (kind 91) joining the two objects in either direction, or 0.
ObjectId FindFigureLine(ObjectId a, ObjectId b);

// ToggleFigureLine: removes the line joining a and b, or adds one from a to b to the database's
// writable file; the file and the index are written at once. Both must be stars or deep-sky
// objects. ResultOk when the database changed; ResultFailed (after note 539 for a read-only file)
// or ResultNotFound otherwise.
int ToggleFigureLine(ObjectId a, ObjectId b);

}  // namespace qv
