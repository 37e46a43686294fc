#pragma once

#include "ui/windowdialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace tintora::test {

// Answers as a test scripts it and keeps every text it was shown.
class ScriptedDialogs final : public WindowDialogs {
public:
    QStringList informed;
    QStringList errors;
    QStringList questions;
    std::deque<bool> yesNoAnswers;  // No once empty

    std::deque<std::optional<QColor>> colourAnswers;  // a cancel once empty
    std::vector<QColor> colourOpenedOn;
    std::vector<QColor> colourOfferedAsCustom;

    QStringList pictureAnswers;  // a cancel once empty
    QStringList pictureTitles;
    QStringList pictureFilters;

    std::vector<QUrl> openedUrls;

    std::vector<SaveQuestion> saveQuestions;
    std::deque<SaveAnswer> saveAnswers;  // Cancel once empty

    QStringList openAnswers;  // a cancel once empty
    QStringList saveFileAnswers;  // a cancel once empty
    QStringList saveFileSuggestions;
    QStringList fileTitles;

    QStringList textAnswers;  // a cancel once empty, and for a null string
    QStringList textTitles;
    QStringList textLabels;
    QStringList textShown;  // what each text field started as

    std::function<void()> whileInforming;  // runs while a box is open, as its event loop would

    void inform(const QString &text) override
    {
        informed << text;
        if (whileInforming)
            whileInforming();
    }
    void reportError(const QString &text) override { errors << text; }
    bool askYesNo(const QString &text) override
    {
        questions << text;
        return take(yesNoAnswers, false);
    }
    QString chooseOpenFile(const QString &title, const QString &) override
    {
        fileTitles << title;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString chooseSaveFile(const QString &title, const QString &, const QString &initialName) override
    {
        fileTitles << title;
        saveFileSuggestions << initialName;
        return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
    }
    std::optional<QColor> chooseColour(const QColor &initial, const QColor &current) override
    {
        colourOpenedOn.push_back(initial);
        colourOfferedAsCustom.push_back(current);
        return take(colourAnswers, std::optional<QColor>());
    }
    QString choosePictureFile(const QString &title, const QString &filter) override
    {
        pictureTitles << title;
        pictureFilters << filter;
        return pictureAnswers.isEmpty() ? QString() : pictureAnswers.takeFirst();
    }
    void openUrl(const QUrl &url) override { openedUrls.push_back(url); }
    std::optional<QString> askText(const QString &title, const QString &label,
                                   const QString &text) override
    {
        textTitles << title;
        textLabels << label;
        textShown << text;
        const QString answer = textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }
    SaveAnswer askToSave(const SaveQuestion &question) override
    {
        saveQuestions.push_back(question);
        return take(saveAnswers, SaveAnswer::Cancel);
    }

private:
    template <typename T>
    static T take(std::deque<T> &answers, T otherwise)
    {
        if (answers.empty())
            return otherwise;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace tintora::test
