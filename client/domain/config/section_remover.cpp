#include "section_remover.h"

namespace config {

bool SectionRemover::onRoot(compoundfile::Storage& root) {
    root.destroyElement(section_);
    return true;
}

} // namespace config
