// The link after a sentence of the wizard's last page stays a blank's width after the
// sentence's end, or starts the next line once the sentence is 460 pixels wide or more.
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include "ui/TrailingLinkPlacer.h"

namespace fv::ui {
namespace {

struct Case {
    const char* what;
    int sentenceWidth;  // pixels the sentence's text is wide, about
    bool nextLine;
};

class TrailingLinkPlacerTest : public ::testing::TestWithParam<Case> {};

TEST_P(TrailingLinkPlacerTest, PlacesTheLinkByTheSentencesWidth) {
    QWidget page;
    page.resize(700, 300);
    auto* sentence = new QLabel(&page);
    auto* link = new QLabel(QStringLiteral("FAQ."), &page);
    sentence->setGeometry(16, 100, 330, 20);
    link->setGeometry(348, 100, 60, 20);
    // A sentence of about the width asked for, in the label's own font.
    QString text;
    while (sentence->fontMetrics().horizontalAdvance(text + QLatin1Char('x')) <
           GetParam().sentenceWidth)
        text += QLatin1Char('x');
    sentence->setText(text);
    const int advance = sentence->fontMetrics().horizontalAdvance(text);
    new TrailingLinkPlacer(sentence, link, 28);

    page.show();  // the page showing places the link

    if (GetParam().nextLine) {
        EXPECT_EQ(link->pos(), QPoint(16, 128));
    } else {
        const int blank = sentence->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        EXPECT_EQ(link->pos(), QPoint(16 + advance + blank, 100));
    }
    EXPECT_GE(link->width(), link->fontMetrics().horizontalAdvance(link->text()));
}

INSTANTIATE_TEST_SUITE_P(Widths, TrailingLinkPlacerTest,
                         ::testing::Values(Case{"short", 200, false},
                                           Case{"longer than its first label", 420, false},
                                           Case{"just under the wrap", 455, false},
                                           Case{"at the wrap", 470, true},
                                           Case{"far wider", 600, true}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 if (c == ' ')
                                     c = '_';
                             return name;
                         });

}  // namespace
}  // namespace fv::ui
