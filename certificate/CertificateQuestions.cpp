#include "CertificateQuestions.h"

#include <QStringList>

namespace certificate {

QString carriedValuesText(const QString &record, const QList<CarriedValue> &all)
{
    QList<CarriedValue> carried = all;
    carried.removeIf([](const CarriedValue &v) { return v.source.isEmpty() && !v.identifiesSart; });
    if (carried.isEmpty())
        return {};
    QStringList sources;
    for (const CarriedValue &v : std::as_const(carried))
        if (!sources.contains(v.source))
            sources.append(v.source);
    QStringList clauses;
    for (const QString &source : std::as_const(sources)) {
        QStringList captions;
        for (const CarriedValue &v : std::as_const(carried))
            if (v.source == source)
                captions.append(v.caption);
        const QString fields = captions.size() == 1
                                   ? captions.constFirst()
                                   : captions.mid(0, captions.size() - 1).join(QStringLiteral(", "))
                                         + QStringLiteral(" and ") + captions.constLast();
        const bool one = captions.size() == 1;
        clauses.append(source.isEmpty()
                           ? QStringLiteral("%1 %2 in the panel before any record was shown")
                                 .arg(fields, one ? QStringLiteral("was") : QStringLiteral("were"))
                           : QStringLiteral("%1 %2 from the record %3")
                                 .arg(fields, one ? QStringLiteral("comes") : QStringLiteral("come"), source));
    }
    return QStringLiteral("The record %1 has no saved header of its own: %2.")
        .arg(record, clauses.join(QStringLiteral("; ")));
}

QString saveQuestion(const QString &record, const QList<CarriedValue> &carried)
{
    const QString text = carriedValuesText(record, carried);
    if (text.isEmpty())
        return {};
    return text + QStringLiteral("\n\nSave changes into the record %1 with these values all the same?").arg(record);
}

QString checkQuestion(const Result &result, const QString &action)
{
    QString text = result.describe();
    if (result.onlyTestingDate())
        text += QStringLiteral("\n\nThe testing date is never saved into the record: certify the date shown only "
                               "if it is the day of the test. The register keeps both dates.");
    else
        text += QStringLiteral("\n\n%1: not while the certificate and the record differ.").arg(action);
    return text;
}

QString certifyQuestion(const Verdict &verdict, const QString &action)
{
    QStringList reasons;
    if (verdict.conclusionFrom)
        reasons.append(QStringLiteral("The conclusion \"%1\" was not chosen for the record %2: %3.")
                           .arg(verdict.conclusion, verdict.record,
                                verdict.conclusionFrom->isEmpty()
                                    ? QStringLiteral("it was in the panel before any record was shown")
                                    : QStringLiteral("it is carried over from the record %1")
                                          .arg(*verdict.conclusionFrom)));
    const QList<limits::Judgement> &outside = verdict.outside;
    if (verdict.certifiesCompliance && !outside.isEmpty()) {
        QString text = QStringLiteral("The certificate says \"%1\", but %2 of the record %3 %4 outside the "
                                      "limits of the SART standard:")
                           .arg(verdict.conclusion,
                                outside.size() == 1 ? QStringLiteral("1 value")
                                                    : QStringLiteral("%1 values").arg(outside.size()),
                                verdict.record, outside.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
        for (const limits::Judgement &j : outside)
            text += QStringLiteral("\n- ") + j.shownText();
        reasons.append(text);
    }
    if (reasons.isEmpty())
        return {};
    return reasons.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n%1 with these values all the same?").arg(action);
}

} // namespace certificate
