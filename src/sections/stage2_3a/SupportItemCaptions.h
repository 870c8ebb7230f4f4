#pragma once

#include <QString>

// The caption of each item of support (GridID 1 to 45) as the rating screens
// show and print it: the item's letter and statement, then its examples, one
// per line. Fixed screen text, kept here so the four screens and their pages
// word every item the same way. Empty for a number that is no item.
QString supportItemCaption(int gridId);
