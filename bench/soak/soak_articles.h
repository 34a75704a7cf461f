#pragma once

#include <string>
#include <vector>

#include "sim/sim_state.h"

namespace tessel::soak {

// What the soak programs into one article: distinct per PLU, with Cyrillic
// and Serbian Latin letters in the name so the code pages are on the path.
sim::Article articleFor(int plu);
// The parameter text of command 107 "P" for the article, as the Items page
// builds it (the name converted for the register).
std::string programText(int plu, const sim::Article& article);
// The parameter text of command 107 "R".
std::string readText(int plu);
// The answer fields of "R" (field 0, the code, first) the register must give
// for the article it holds.
std::vector<std::string> expectedReadFields(int plu, const sim::Article& article);
// The article as the register stores it after a "P" of articleFor's content.
bool sameProgrammedContent(const sim::Article& stored, const sim::Article& sent);

}  // namespace tessel::soak
