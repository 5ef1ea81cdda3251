#include "harvest/categories.h"

namespace zelkor {

void SelectCategory(CatalogueSelection& selection, const CategoryRow& row) {
    selection.currentSection = Text(row.section);
    selection.currentCategory = Text(row.category);
}

}  // namespace zelkor
