#include "section_remover.h"

bool SectionRemover::onRoot(compoundfile::Storage& root) {
    root.destroyElement(section_);
    return true;
}
