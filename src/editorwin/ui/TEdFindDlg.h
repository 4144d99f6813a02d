#pragma once
#include "editorwin/ui/TEdSearchDlg.h"

namespace quarry {

// "Find text...": OK selects the next match in the editor and keeps the dialog open.
class TEdFindDlg final : public TEdSearchDlg {
    Q_OBJECT
public:
    TEdFindDlg(QWidget* parent, SearchContext context);

protected:
    void OKButtonClick() override;
};

}  // namespace quarry
