#include "app/dm.h"

namespace tessel {

Tdm::Tdm() {
    // Alerts passed no title show an empty title bar.
    misc.setMyMessagesCaption(std::string());
    err_.setLanguage(TErrorLanguages::English);
}

}  // namespace tessel
