#pragma once

#include <QDate>
#include <QString>

// Dates as the program writes and reads them: "dd.MM.yyyy" whatever the locale, and the
// yyyymmdd forms of folder and file names. An invalid QDate stands for "no date".

// Year (at least 4 digits), month and day (2 digits each) without separator: 20240307.
// Empty for no date.
QString DatumJJJJMMTT(const QDate &datum);
// Year (at least 4 digits) + trenner + 2-digit month + trenner + 2-digit day. Empty for no date.
QString DatumMitTrenner(const QString &trenner, const QDate &datum);
// The year in decimal; empty for no date.
QString JahrText(const QDate &datum);
// 1 January of the year; no date for the year 0 or years QDate cannot hold.
QDate JahresAnfang(int jahr);
// "dd.MM.yyyy" (years below 1000 with leading zeros); empty for no date.
QString DatumText(const QDate &datum);
// Reads exactly "dd.MM.yyyy": two digits, ".", two digits, ".", four digits, nothing else.
// Anything else, or a day that the calendar does not have (31.02.2012), gives no date.
QDate DatumLesen(const QString &text);
