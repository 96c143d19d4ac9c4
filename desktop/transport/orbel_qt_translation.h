#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts in the programs' language: the buttons of message boxes and
// questions and the whole of Qt's file chooser ("查找范围", "文件名", "取消"),
// from Qt's Chinese translation in Qt's translations folder. Both programs
// load it at start. The translator installed, owned by the application;
// null when the translation is not installed there (Qt's texts then stay
// English).
QTranslator* orbel_load_qt_translation(QCoreApplication& application);
