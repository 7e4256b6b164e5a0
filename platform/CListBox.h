// A list of strings with the framework's calls; a change of selection
// notifies the parent (LBN_SELCHANGE).
#pragma once

#include "platform/WidgetWnd.h"

#include <QListWidget>

class KIVPLATFORM_EXPORT CListBox : public WidgetWnd<QListWidget> {
public:
    explicit CListBox(QWidget* parent = nullptr);

    int AddString(const char* text);
    void ResetContent();
};
