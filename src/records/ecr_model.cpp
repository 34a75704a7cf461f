#include "records/ecr_model.h"

#include "util/fd_misc.h"

namespace tessel {

int ecrModelOf(std::string_view modelName) {
    const StringList names(kKnownEcrModels.begin(), kKnownEcrModels.end());
    return TFDMisc::StrToCase_FullMatch(modelName, names);
}

}  // namespace tessel
