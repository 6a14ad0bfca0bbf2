// Dialogs for tests: the file dialog answers with queued names and records how
// it was set up; the message box records what it showed and asked, and answers
// questions with queued choices.
#pragma once

#include <deque>
#include <vector>

#include "dialogs.h"

// The next queued answer, or the fallback when none is left.
template <typename Answer>
Answer NextAnswer(std::deque<Answer>& answers, Answer fallback) {
    if (answers.empty()) return fallback;
    Answer next = answers.front();
    answers.pop_front();
    return next;
}

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
        fileName = NextAnswer(answers, QString());
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
    std::vector<Message> asked;  // questions, with the icon Question
    std::deque<Choice> choices;  // none left answers Cancel

    void Show(const QString& text, const QString& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    Choice AskSaveDiscardCancel(const QString& text, const QString& title) override {
        asked.push_back({text, title, MessageIcon::Question});
        return NextAnswer(choices, Choice::Cancel);
    }
};
