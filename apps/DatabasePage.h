// SPDX-License-Identifier: MIT
// The studio's database page: a sample album (an SQLite file made on first
// use in the user's data folder) shown in the data list, a code-table combo
// box of its cities, and a find on any column.
#pragma once

#include "database/CKivDataCombo.h"
#include "database/CKivDataList.h"
#include "database/KivAlbumData.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

class DatabasePage : public QWidget {
public:
    // dataFolder: where the sample album lives (created when missing).
    explicit DatabasePage(const QString& dataFolder, QWidget* parent = nullptr);
    ~DatabasePage() override;

    // The sample album's file in dataFolder.
    static QString samplePath(const QString& dataFolder);
    // Makes the sample album at path unless it exists: written beside it
    // under another name and renamed when complete. False when it cannot.
    static bool createSample(const QString& path);

    // Shows the records whose field matches value (LIKE for text; empty
    // field: every record); the number of rows shown.
    int find(const QString& field, const QString& value);
    CKivDataList& list() { return *m_list; }
    CKivDataCombo& cities() { return *m_cities; }

private:
    void showRows(const CString& where);

    KivAlbumData m_album;
    KivFieldList m_fields;
    KivParamList m_columns;
    CKivDataList* m_list;
    CKivDataCombo* m_cities;
    QComboBox* m_field;
    QLineEdit* m_value;
    QLabel* m_status;
};
