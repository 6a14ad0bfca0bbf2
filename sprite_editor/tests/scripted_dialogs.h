// Dialogs for tests: the file dialog answers with queued names and records how
// it was set up; the message box records what it showed.
#pragma once

#include <deque>
#include <vector>

#include "dialogs.h"

struct DialogCall {
    bool save;
    QString title;
    QString filter;
    QString fileName;  // as the program had set it when it showed the dialog
};

class ScriptedFileDialog : public FileDialog {
public:
    std::deque<QString> answers;  // an empty answer, or none left, is a cancel
    std::vector<DialogCall> calls;

    void ShowOpen() override { Answer(false); }
    void ShowSave() override { Answer(true); }

private:
    void Answer(bool save) {
        calls.push_back({save, title, filter, fileName});
        fileName = answers.empty() ? QString() : answers.front();
        if (!answers.empty()) answers.pop_front();
    }
};

struct Message {
    QString text;
    QString title;
    MessageIcon icon;
};

class RecordingMessageBox : public MessageBox {
public:
    std::vector<Message> shown;
    void Show(const QString& text, const QString& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
};
