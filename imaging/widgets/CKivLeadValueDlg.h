// SPDX-License-Identifier: MIT
// The toolkit's value dialog: a column of labelled numbers, choices and
// check boxes over OK and Cancel, built from a list of fields. Every
// parameter dialog of the edit commands is one of these.
#pragma once

#include "controls/CKivDialog.h"
#include "imaging/KivLead_export.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QWidget;

struct KivLeadDlgChoice {
    const char* text;
    int value;
};

struct KivLeadDlgField {
    enum Kind { Number, Choice, Check };
    const char* label;
    Kind kind = Number;
    int minimum = 0;
    int maximum = 0;
    int* value = nullptr; // in: the starting value; out on OK
    std::vector<KivLeadDlgChoice> choices = {};
};

class KIVLEAD_EXPORT CKivLeadValueDlg : public CKivDialog {
public:
    CKivLeadValueDlg(const char* title, std::vector<KivLeadDlgField> fields, QWidget* parent = nullptr);
    ~CKivLeadValueDlg() override;

    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    // What field i shows now, and a value put into it as a user would.
    int GetFieldValue(int i) const;
    void SetFieldValue(int i, int value);
    QWidget* FieldWidget(int i) const { return m_widgets.at(static_cast<std::size_t>(i)); }

    // A picture beside the fields that follows the first field's value.
    void SetPreview(std::function<QImage(int)> preview) { m_preview = std::move(preview); }
    QLabel* PreviewLabel() const { return m_previewLabel; }

    BOOL OnInitDialog() override;
    // Writes every field's value to its output, then ends with IDOK.
    void OnOK() override;

private:
    std::string m_title;
    std::vector<KivLeadDlgField> m_fields;
    std::vector<QWidget*> m_widgets;
    std::function<QImage(int)> m_preview;
    QLabel* m_previewLabel = nullptr;
};
