// SPDX-License-Identifier: MIT
#include "DatabasePage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kCityDivision = "10";

std::string connectOf(const QString& path)
{
    return "sqlite:" + path.toStdString();
}

} // namespace

QString DatabasePage::samplePath(const QString& dataFolder)
{
    return QDir(dataFolder).filePath("sample-album.db");
}

bool DatabasePage::createSample(const QString& path)
{
    if (QFile::exists(path))
        return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const QString partial = path + ".partial";
    QFile::remove(partial);
    bool ok = true;
    {
        const std::string connect = connectOf(partial);
        KivAlbumData album;
        album.SetConnectStr(connect.c_str());
        ok = album.CreateTables("DATA_ID INTEGER, FILE_NAME VARCHAR(255)", "FIND_TEXT")
            && album.AppendField("TITLE", "TEXT", 80) && album.AppendField("CITY", "TEXT", 40)
            && album.AppendField("TAKEN", "TEXT", 10);
        KivDatabase db;
        ok = ok && db.Open(connect.c_str(), nullptr, nullptr);
        const char* const statements[] = {
            "INSERT INTO KIV_DATA VALUES (1, 'palace.jpg', 'Gate at dawn', 'Seoul', '2005-11-26')",
            "INSERT INTO KIV_DATA VALUES (2, 'harbour.jpg', 'Fish market', 'Busan', '2006-05-02')",
            "INSERT INTO KIV_DATA VALUES (3, 'tower.jpg', '남산 타워', 'Seoul', '2006-10-09')",
            "INSERT INTO KIV_DATA VALUES (4, 'bridge.jpg', 'Bridge by night', 'Incheon', '2007-01-15')",
            "INSERT INTO KIV_DATA VALUES (5, 'temple.jpg', 'O''Neil''s temple visit', 'Gyeongju', '2007-04-21')",
            "INSERT INTO KIV_DATA VALUES (6, 'beach.jpg', 'Haeundae', 'Busan', '2008-08-08')",
            "INSERT INTO KIV_HELP VALUES ('TITLE', 'Title', 'What the picture shows')",
            "INSERT INTO KIV_HELP VALUES ('CITY', 'City', 'Where it was taken')",
            "INSERT INTO KIV_HELP VALUES ('TAKEN', 'Taken', 'The day, YYYY-MM-DD')",
            "INSERT INTO aa_code_division VALUES ('1', 'Seoul', '10')",
            "INSERT INTO aa_code_division VALUES ('2', 'Busan', '10')",
            "INSERT INTO aa_code_division VALUES ('3', 'Incheon', '10')",
            "INSERT INTO aa_code_division VALUES ('4', 'Gyeongju', '10')",
            "INSERT INTO KIV_GROUPS VALUES ('Trips', '/photos/Trips', '2008-01-01 10:00:00', '2008-01-01 10:00:00')",
        };
        for (const char* sql : statements)
            ok = ok && db.Execute(sql);
        db.Close();
        KivDatabase::ClosePool();
    }
    if (ok && QFile::rename(partial, path))
        return true;
    QFile::remove(partial);
    return false;
}

DatabasePage::DatabasePage(const QString& dataFolder, QWidget* parent)
    : QWidget(parent), m_list(new CKivDataList(this)), m_cities(new CKivDataCombo(this)), m_field(new QComboBox(this)),
      m_value(new QLineEdit(this)), m_status(new QLabel(this))
{
    setWindowTitle("Database");
    const QString path = samplePath(dataFolder);
    const bool ready = createSample(path);
    m_album.SetConnectStr(connectOf(path).c_str());
    m_album.SetDatabase("sample album");
    m_album.Load(&m_fields);
    m_list->m_appData = &m_album;
    m_cities->m_appData = &m_album;

    m_field->addItem("(every record)");
    for (int i = 0; i < m_fields.getCount(); ++i) {
        const KivFieldInfo* f = m_fields.getAt(i);
        m_columns.addParam(f->title.c_str(), f->name.c_str());
        m_field->addItem(QString::fromStdString(f->title), QString::fromStdString(f->name));
    }
    m_fields.showFieldLabel(m_list);
    m_cities->AddCode("(any city)", 0);
    m_cities->ShowCodeTable(kCityDivision, "", "");
    m_cities->SetCurSel(0);

    auto* search = new QPushButton("&Find", this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("City:", this));
    row->addWidget(m_cities, 1);
    row->addWidget(new QLabel("Field:", this));
    row->addWidget(m_field, 1);
    m_value->setPlaceholderText("value; % and _ are wildcards");
    row->addWidget(m_value, 2);
    row->addWidget(search);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    m_cities->setMinimumHeight(28);
    m_list->setMinimumSize(560, 240);

    connect(search, &QPushButton::clicked, this, [this] { find(m_field->currentData().toString(), m_value->text()); });
    connect(m_value, &QLineEdit::returnPressed, search, &QPushButton::click);
    connect(m_cities->widget(), &QComboBox::activated, this, [this](int index) {
        find(index == 0 ? QString() : "CITY",
            index == 0 ? QString() : QString::fromStdString(m_cities->GetLBText(index)));
    });
    if (ready)
        find({}, {});
    else
        m_status->setText("The sample album could not be made in " + QDir::toNativeSeparators(dataFolder) + ": "
            + QString::fromStdString(KivDatabase::GetLastError()));
}

DatabasePage::~DatabasePage()
{
    m_fields.removeData();
}

int DatabasePage::find(const QString& field, const QString& value)
{
    KivFieldList conditions;
    const int index = m_fields.findName(field.toStdString().c_str());
    if (const KivFieldInfo* f = m_fields.getAt(index)) {
        KivFieldInfo condition = *f;
        condition.value = value.toStdString();
        conditions.addField(&condition);
    }
    const CString where = conditions.getFindExpr("", 0);
    conditions.removeData();
    showRows(where);
    return m_list->GetItemCount();
}

void DatabasePage::showRows(const CString& where)
{
    m_list->DeleteAllItems();
    const CString sql
        = "SELECT * FROM KIV_DATA" + (where.empty() ? CString() : " WHERE " + where) + " ORDER BY DATA_ID";
    try {
        m_list->ShowRecord(&m_columns, sql.c_str());
        m_status->setText(QString("%1 record(s)%2")
                              .arg(m_list->GetItemCount())
                              .arg(where.empty() ? QString() : "  —  " + QString::fromStdString(where)));
    } catch (const KivDbError& e) {
        m_status->setText("The records could not be read: " + QString::fromStdString(e.Description()));
    }
}
