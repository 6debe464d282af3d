#pragma once

#include "PanelValues.h"

#include <QDate>
#include <QStringList>

// A panel as the engineer leaves it before printing. Every value is one word
// that appears nowhere else on the page; the sound beeper answer is blank.
inline PanelValues samplePanel()
{
    PanelValues p;
    p.edit1 = QStringLiteral("Ivanov");
    p.edit2 = QStringLiteral("CTRL-7");
    p.edit3 = QStringLiteral("SART-9");
    p.edit4 = QStringLiteral("Northern-Star");
    p.edit5 = QStringLiteral("Harbour");
    p.edit6 = QStringLiteral("Quay-Street");
    p.edit7 = QStringLiteral("555-0100");
    p.edit8 = QStringLiteral("555-0101");
    p.edit9 = QStringLiteral("123456");
    p.label8 = QStringLiteral("9,500");
    p.label11 = QStringLiteral("9,200");
    p.label12 = QStringLiteral("650");
    p.label13 = QStringLiteral("100,0");
    p.label14 = QStringLiteral("12");
    p.label15 = QStringLiteral("1250");
    p.label16 = QStringLiteral("1,1");
    p.comboBox1Text = QStringLiteral("YES");
    p.comboBox1Index = 0;
    p.comboBox2Text = QStringLiteral("NO");
    p.comboBox2Index = 1;
    p.comboBox3Text = QString();
    p.comboBox3Index = 2;
    p.comboBox4Text = QStringLiteral("Manual");
    p.comboBox4Index = 1;
    p.comboBox5Text = QStringLiteral("SART PASSED TESTS");
    p.comboBox5Index = 0;
    p.dateTimePicker1 = QDate(2027, 11, 30);
    p.dateTimePicker2 = QDate(2026, 11, 29);
    p.dateTimePicker3 = QDate(2025, 3, 1);
    return p;
}

// The value each line of samplePanel() prints, dates as en_US writes them.
inline QStringList sampleValuesEnUs()
{
    return {
        "SART-9", "", "123456", "", "Northern-Star", "", "",
        "9,500", "9,200", "650", "100,0", "12", "", "",
        "1250", "Manual", "1,1", "", "",
        "YES", "NO", "", "",
        "3/1/25", "", "11/30/27", "", "11/29/26", "", "",
        "Harbour", "Quay-Street", "555-0100", "555-0101", "",
        "Ivanov",
    };
}
