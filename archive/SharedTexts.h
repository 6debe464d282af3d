#pragma once

#include <QSet>
#include <QString>

// Equal texts held once: a text handed in is swapped for an equal one held
// already, so that the many records naming the same vessel, SART model or
// date share one copy instead of each holding its own. Not thread-safe: one
// per thread (the strings themselves may then go anywhere).
namespace archive {

class SharedTexts
{
public:
    void share(QString &text)
    {
        if (text.isEmpty()) {
            text = QString();  // no buffer kept for an empty text
            return;
        }
        const auto held = m_texts.constFind(text);
        if (held != m_texts.cend()) {
            text = *held;
            return;
        }
        text.squeeze();
        m_texts.insert(text);
    }
    qsizetype size() const { return m_texts.size(); }

private:
    QSet<QString> m_texts;
};

} // namespace archive
