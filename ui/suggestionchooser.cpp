// New from picture's choice: the suggestions of a picture shown side by side as they are made,
// away from the window's thread, light, dark or as the picture.
#include "suggestionchooser.h"

#include "wording.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPromise>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace tintora {

namespace {

// The tones in the order the list offers them.
constexpr SchemeTone kTones[] = {SchemeTone::Light, SchemeTone::Dark, SchemeTone::AsPicture};

}  // namespace

SuggestionChooser::SuggestionChooser(const QImage &picture, const PreviewSettings &settings,
                                     SchemeTone tone, QWidget *parent)
    : QDialog(parent),
      picture_(picture),
      settings_(settings),
      tone_(tone),
      toneCombo_(new QComboBox),
      list_(new QListWidget),
      status_(new QLabel)
{
    setObjectName(QStringLiteral("suggestionChooser"));
    setWindowTitle(tr("Choose a scheme"));
    toneCombo_->setObjectName(QStringLiteral("suggestionToneCombo"));
    toneCombo_->addItems({tr("Light"), tr("Dark"), tr("As the picture")});
    toneCombo_->setCurrentIndex(int(std::find(std::begin(kTones), std::end(kTones), tone) - std::begin(kTones)));
    auto *toneLabel = new QLabel(tr("Colours"));
    toneLabel->setBuddy(toneCombo_);
    list_->setObjectName(QStringLiteral("suggestionList"));
    list_->setViewMode(QListView::IconMode);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWordWrap(true);
    list_->setIconSize(QSize(2 * ElementMap::kSize + 4, ElementMap::kSize));
    list_->setGridSize(QSize(2 * ElementMap::kSize + 24, ElementMap::kSize + 90));
    list_->setMinimumSize(3 * list_->gridSize().width() + 30, 2 * list_->gridSize().height() + 10);
    status_->setObjectName(QStringLiteral("suggestionStatus"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    auto *top = new QHBoxLayout;
    top->addWidget(toneLabel);
    top->addWidget(toneCombo_);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(toneCombo_, &QComboBox::activated, this, [this](int index) {
        tone_ = kTones[index];
        emit toneChosen(tone_);
        makeChoices();
    });
    // A click or Enter on a tile takes it.
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { choose(list_->row(item)); });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { choose(list_->row(item)); });
    connect(&watcher_, &QFutureWatcherBase::resultReadyAt, this, &SuggestionChooser::showChoice);
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        status_->setText(choices_.empty() ? NoReadableSuggestionText()
                                          : tr("Click a scheme, or choose it with the arrow keys and Enter"));
    });
    makeChoices();
}

SuggestionChooser::~SuggestionChooser()
{
    watcher_.cancel();
    watcher_.waitForFinished();
}

void SuggestionChooser::makeChoices()
{
    watcher_.cancel();
    watcher_.waitForFinished();
    choices_.clear();
    list_->clear();
    status_->setText(tr("Making suggestions..."));
    watcher_.setFuture(QtConcurrent::run(
        [picture = picture_, settings = settings_, tone = tone_](QPromise<SuggestionChoice> &promise) {
            MakeSuggestionChoices(picture, settings, tone, [&](SuggestionChoice choice) {
                return promise.addResult(std::move(choice)) && !promise.isCanceled();
            });
        }));
}

void SuggestionChooser::showChoice(int index)
{
    SuggestionChoice choice = watcher_.future().resultAt(index);
    QStringList weak;
    for (const ContrastPlace &place : choice.suggestion.weak)
        weak << ContrastSentence(place);
    auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(choice.tile)),
                                     weak.isEmpty() ? tr("Reads everywhere") : weak.join(QLatin1Char('\n')),
                                     list_);
    item->setData(Qt::UserRole, choice.variant);
    item->setToolTip(item->text());
    if (list_->count() == 1)
        list_->setCurrentItem(item);
    choices_.push_back(std::move(choice));
}

void SuggestionChooser::choose(int row)
{
    if (row < 0 || row >= int(choices_.size()))
        return;
    emit chosen(choices_[row]);
    accept();
}

}  // namespace tintora
