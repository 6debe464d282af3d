#pragma once

#include <QDate>
#include <QString>

// A snapshot of what the record view panel shows. Save changes, the printed
// report and the word export all work from this, never from the record file.
struct PanelValues
{
    // Edit boxes: Edit1 radio engineer, Edit2 controller (hidden), Edit3 SART
    // model, Edit4 vessel, Edit5..Edit8 service centre name, address, tel, fax,
    // Edit9 manufacturer number.
    QString edit1, edit2, edit3, edit4, edit5, edit6, edit7, edit8, edit9;

    // Value labels as shown.
    QString label8, label11, label12, label13, label14, label15, label16;

    // Selectors: displayed text and item index (-1: typed text matching no item).
    QString comboBox1Text, comboBox2Text, comboBox3Text, comboBox4Text, comboBox5Text;
    int comboBox1Index = -1, comboBox2Index = -1, comboBox3Index = -1;
    int comboBox4Index = 0, comboBox5Index = 0;

    // Date pickers: 1 next testing date, 2 testing date, 3 battery replacement.
    QDate dateTimePicker1, dateTimePicker2, dateTimePicker3;
};
