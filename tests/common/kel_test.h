#pragma once

#include <QApplication>
#include <QString>
#include <QtTest>

// Points HOME, the XDG folders and TMPDIR at a fresh temporary folder, sets the time zone
// to Europe/Berlin and the offscreen platform, so no test ever touches the real home.
// Returns the temporary root; it is removed when the process ends.
QString kelTestUmgebung();

// Fixture files: writes the bytes (the folder must exist) / reads them back (empty when missing).
void kelDateiSchreiben(const QString &path, const QByteArray &bytes);
QByteArray kelDateiLesen(const QString &path);

// Folder with the real camera and phone photos that ship beside the project.
QString kelFotoOrdner();

#define KEL_TEST_MAIN(TestObject)                                                                                      \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        kelTestUmgebung();                                                                                             \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
