// SPDX-License-Identifier: MIT
// Templates: files with descriptions in KIV_TEMPLATES.
#pragma once

#include "database/KivAppData.h"

class KIVADO_EXPORT KivTemplateData : public KivAppData {
public:
    // Descriptions are copied into the caller's buffer up to this size.
    static constexpr std::size_t kDescSize = 256;

    KivTemplateData();
    KivTemplateData(const KivTemplateData& other);
    KivTemplateData& operator=(const KivTemplateData& other);
    ~KivTemplateData() override;

    // All templates (or those of fileName) by name; null when none.
    _RecordsetPtr GetTemplateRec(const char* fileName);
    // desc holds kDescSize bytes; a longer description is cut there.
    int GetTemplateDesc(const char* fileName, char* desc);
    void ShowTemplateList(CComboBox* combo);
    int AppendTemplate(const char* fileName, const char* desc);
    int DeleteTemplate(const char* fileName);
};
