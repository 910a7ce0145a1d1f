// skin-preview SKIN.qss OUT.png
// Lays out a stand-in for the entry window at its designed pixel geometry (three buttons,
// the sunken viewport with its scroll bar, category frames with labels and amount fields),
// applies the skin as the program does (window surfaces in the button-face colour, then the
// style sheet) and saves a picture of it, so a skin can be judged without the program.
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

QFont ArialBold(double points) {
    QFont f("Arial");
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

void AddCategory(QWidget* panel, const QString& caption, int top, const QStringList& items) {
    auto* frame = new QGroupBox(caption, panel);
    frame->setFont(ArialBold(9.75));
    frame->setGeometry(1, top, 570, 40 + 26 * static_cast<int>(items.size()));
    const auto heading = [frame](const QString& text, int x, int w) {
        auto* l = new QLabel(text, frame);
        l->setGeometry(x, 16, w, 16);
    };
    heading("Estimated", 298, 66);
    heading("Actual", 463, 44);
    for (int k = 0; k < items.size(); ++k) {
        auto* label = new QLabel(items[k], frame);
        label->setGeometry(10, 41 + 26 * k, 240, 16);
        for (int x : {254, 408}) {
            auto* field = new QLineEdit(k == 1 && x == 254 ? "$1,250.00" : "$0.00", frame);
            field->setGeometry(x, 37 + 26 * k, 150, 24);
        }
    }
}

QWidget* BuildWindow() {
    auto* window = new QWidget;
    window->setObjectName("Form1");
    window->setFixedSize(616, 629);
    window->setFont(ArialBold(9.75));
    const auto button = [window](const QString& text, QRect at) {
        auto* b = new QPushButton(text, window);
        b->setFont(ArialBold(11.25));
        b->setGeometry(at);
        return b;
    };
    button("Start Creating Template", QRect(8, 8, 600, 27));
    button("Help", QRect(8, 42, 296, 27));
    button("Load Sample/Example Data", QRect(312, 42, 296, 27))->setFocus();
    auto* viewport = new QFrame(window);
    viewport->setObjectName("Picture2");
    viewport->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    viewport->setLineWidth(2);
    viewport->setGeometry(8, 78, 600, 544);
    auto* bar = new QScrollBar(Qt::Vertical, viewport);
    bar->setGeometry(578, 2, 20, 540);  // inside the 2-px frame
    bar->setRange(0, 26600);
    bar->setPageStep(8100);
    auto* panel = new QWidget(viewport);
    panel->setObjectName("Picture1");
    panel->setGeometry(3, 2, 575, 2330);
    AddCategory(panel, "Apparel", 0, {"Engagement ring", "Wedding rings ", "Bridal gown", "Veil/headpiece",
                                      "Shoes", "Jewelry", "Garter", "Hosiery", "Groom's tuxedo",
                                      "Groom's shoes", "Other"});
    AddCategory(panel, "Decorations", 330, {"Bows for church pews/other seating",
                                            "Table centerpieces (excludes flowers)", "Candles", "Lighting",
                                            "Balloons", "Other"});
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin-preview SKIN.qss OUT.png\n");
        return 2;
    }
    try {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly)) {
            throw std::runtime_error(std::string("cannot read ") + argv[1]);
        }
        QWidget* window = BuildWindow();
        const QColor face = window->palette().color(QPalette::Button);
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (qobject_cast<QGroupBox*>(w) || qobject_cast<QLabel*>(w) || w->objectName() == "Picture1") {
                QPalette pal = w->palette();
                pal.setColor(QPalette::Window, face);
                w->setPalette(pal);
                w->setAutoFillBackground(true);
            }
        }
        window->setStyleSheet(QString::fromUtf8(file.readAll()));
        window->show();
        app.processEvents();
        if (!window->grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
        delete window;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin-preview: %s\n", e.what());
        return 1;
    }
    return 0;
}
