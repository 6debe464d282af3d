#include "FillIn.h"

#include "CertificateCheck.h"
#include "FileNames.h"

#include <QCoreApplication>
#include <QLocale>

namespace certificate {

std::optional<FillIn> latestRecordOf(const QVector<archive::IndexEntry> &entries, const QString &manufacturerNo,
                                     const QString &shownFile)
{
    // history() lists the SART's records with a saved header, oldest first.
    const QVector<int> records = archive::history(entries, manufacturerNo);
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        const archive::IndexEntry &e = entries[*it];
        if (e.fileName == shownFile)
            continue;
        FillIn f;
        f.fileName = e.fileName;
        f.testingDate = e.testingDate;
        f.manufacturerNo = e.manufacturerNo;
        using C = DecodeTarget;
        f.values = {{C::SartModel, e.sartModel},       {C::Vessel, e.vessel},       {C::CentreName, e.centreName},
                    {C::CentreAddress, e.centreAddress},   {C::CentreTel, e.centreTel},    {C::CentreFax, e.centreFax}};
        if (e.nextTestDate.isValid())
            f.values.append({C::NextTestDate, e.nextTestDate});
        if (e.batteryDate.isValid())
            f.values.append({C::BatteryDate, e.batteryDate});
        return f;
    }
    return std::nullopt;
}

QString offerText(const FillIn &fillIn)
{
    QStringList values;
    for (const auto &[field, value] : fillIn.values) {
        if (value.typeId() == QMetaType::QDate)
            values.append(QCoreApplication::translate("FillIn", "%1 %2", "a field caption and a date")
                              .arg(captionOf(field), QLocale().toString(value.toDate(), QLocale::ShortFormat)));
        else if (!value.toString().isEmpty())
            values.append(QCoreApplication::translate("FillIn", "%1 \"%2\"", "a field caption and its value quoted")
                              .arg(captionOf(field), value.toString()));
    }
    const QString list = values.join(QCoreApplication::translate("FillIn", ", ", "between the values offered"));
    const QString file = filenames::display(fillIn.fileName);
    if (!fillIn.testingDate.isValid())
        return QCoreApplication::translate("FillIn", "The latest record of the SART %1 in the archive is %2: %3.")
            .arg(fillIn.manufacturerNo, file, list);
    return QCoreApplication::translate(
        "FillIn", "The latest record of the SART %1 in the archive is %2, tested %3: %4.")
        .arg(fillIn.manufacturerNo, file, QLocale().toString(fillIn.testingDate, QLocale::ShortFormat), list);
}

} // namespace certificate
