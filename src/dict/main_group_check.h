// The entries of an image are checked group by group, on first use, rather than all at the
// start: a program that types in a few groups checks only those.
#pragma once

// Called before the entries of a group (ordinal 1..28) are read for candidates. A group of an
// image that breaks the main-file rules makes the main table load again from its main file, as
// from a bad image, before anything of the group is read.
void ReadyMainGroup(int ordinal);
