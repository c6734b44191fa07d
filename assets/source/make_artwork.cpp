// Draws the program's pictures into a folder (assets/ by default; scripts/artwork runs it): the start
// window's 800 x 600 background, its two word plates, the icons and the 16 x 16 button pictures. All of
// it is original line and shape drawing with QPainter; the background is written as JPEG.
//
// The plates in the background sit exactly under the start window's buttons (left 320, tops 232 and
// 312, 161 x 49 in a 797 x 597 window that stretches the picture), and the button pictures carry the
// same plate, so a button is seen as the plate it lies on.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QVector3D>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const QColor kPaper(238, 242, 248);
const QColor kPlate(12, 38, 120);
const QColor kInk(20, 44, 110);
const QColor kCarLine(86, 112, 160);
const QColor kCarFar(170, 186, 214);

constexpr int kClientWidth = 797;
constexpr int kClientHeight = 597;
constexpr int kButtonWidth = 161;
constexpr int kButtonHeight = 49;
const QPoint kSpravkaButton(320, 232);
const QPoint kRaschetButton(320, 312);

QFont Font(const char* family, int pixels, bool bold) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The plate inside a button's visible area (161 x 49): one pixel in from its edges.
void DrawPlate(QPainter& p, const QRectF& buttonArea, const QString& word) {
    const QRectF plate = buttonArea.adjusted(1, 1, -1, -1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 170, 215), 1.2));
    p.setBrush(kPlate);
    p.drawRoundedRect(plate, 12, 12);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(plate.adjusted(3, 3, -3, -3), 9, 9);
    p.setPen(Qt::white);
    p.setFont(Font("Liberation Sans", qRound(plate.height() * 0.55), true));
    p.drawText(plate.translated(0, -1), Qt::AlignCenter, word);
}

// A button picture: the plate where the button shows it (the button shows the picture's centre).
QImage ButtonPicture(QSize size, const QString& word) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(kPaper);
    QPainter p(&image);
    QRect visible(QPoint(0, 0), size);
    // Where a 161 x 49 button's centre falls on the picture (the same arithmetic as the button's).
    QRect window(QPoint(0, 0), QSize(kButtonWidth, kButtonHeight));
    visible.moveCenter(window.center());
    DrawPlate(p, QRectF(-visible.x(), -visible.y(), kButtonWidth, kButtonHeight), word);
    return image;
}

// --- the car: a wire model seen from the front right, doors, hood and trunk lid open ---

struct Camera {
    QVector3D eye, right, up, forward;
    float focal;
    QPointF Project(const QVector3D& point) const {
        const QVector3D d = point - eye;
        const float depth = QVector3D::dotProduct(d, forward);
        return {focal * QVector3D::dotProduct(d, right) / depth,
                -focal * QVector3D::dotProduct(d, up) / depth};
    }
};

Camera MakeCamera(QVector3D eye, QVector3D target) {
    Camera c;
    c.eye = eye;
    c.forward = (target - eye).normalized();
    c.right = QVector3D::crossProduct(c.forward, QVector3D(0, 0, 1)).normalized();
    c.up = QVector3D::crossProduct(c.right, c.forward);
    c.focal = 1000;
    return c;
}

using Line = std::vector<QVector3D>;

struct Stroke {
    Line points;
    bool far; // on the far side: drawn lighter
    float width;
};

// Side profile, x from the rear (0) to the front (4400), z up; millimetres.
const std::vector<QPointF> kProfile = {
    {0, 330},     {-20, 560},   {0, 900},     {90, 960},   {850, 1010}, {1450, 1400}, {1650, 1440},
    {2650, 1440}, {2850, 1400}, {3350, 1020}, {4250, 880}, {4420, 760}, {4430, 560},  {4400, 330},
};
constexpr float kHalfWidth = 870;
constexpr float kWheelRadius = 330;
const float kWheelX[] = {930, 3500};

QVector3D At(QPointF xz, float y) {
    return {float(xz.x()), y, float(xz.y())};
}

Line Circle(float cx, float y, float cz, float r, float from = 0, float to = 360) {
    Line line;
    for (float a = from; a <= to + 0.01f; a += 6) {
        const float rad = a * float(M_PI) / 180;
        line.push_back({cx + r * std::cos(rad), y, cz + r * std::sin(rad)});
    }
    return line;
}

// Body side: the profile with the wheel arches cut into the sill line.
Line BodySide(float y) {
    Line line;
    for (const QPointF& point : kProfile)
        line.push_back(At(point, y));
    // sill, from the front bumper back, around the arches
    Line sill;
    sill.push_back({4400, y, 330});
    for (float wx : {kWheelX[1], kWheelX[0]}) {
        sill.push_back({wx + kWheelRadius + 60, y, 330});
        for (float a = 0; a <= 180.01f; a += 10) {
            const float rad = a * float(M_PI) / 180;
            sill.push_back({wx + (kWheelRadius + 60) * std::cos(rad), y,
                            kWheelRadius + (kWheelRadius + 60) * std::sin(rad)});
        }
        sill.push_back({wx - kWheelRadius - 60, y, 330});
    }
    sill.push_back({0, y, 330});
    line.insert(line.end(), sill.begin(), sill.end());
    return line;
}

QVector3D RotateAboutVertical(QVector3D p, float hingeX, float hingeY, float degrees) {
    const float rad = degrees * float(M_PI) / 180;
    const float dx = p.x() - hingeX;
    const float dy = p.y() - hingeY;
    return {hingeX + dx * std::cos(rad) - dy * std::sin(rad),
            hingeY + dx * std::sin(rad) + dy * std::cos(rad), p.z()};
}

QVector3D RotateAboutCross(QVector3D p, float hingeX, float hingeZ, float degrees) {
    const float rad = degrees * float(M_PI) / 180;
    const float dx = p.x() - hingeX;
    const float dz = p.z() - hingeZ;
    return {hingeX + dx * std::cos(rad) - dz * std::sin(rad), p.y(),
            hingeZ + dx * std::sin(rad) + dz * std::cos(rad)};
}

// A door of the near side from rear edge x0 to front edge x1, hinged at its front edge, opened.
std::vector<Stroke> Door(float x0, float x1, float topRear, float topFront, float degrees) {
    const float y = kHalfWidth;
    const Line outline = {{x0, y, 360},          {x1, y, 360},  {x1, y, 980}, {x1 - 120, y, topFront},
                          {x0 + 60, y, topRear}, {x0, y, 1000}, {x0, y, 360}};
    const Line window = {{x1 - 40, y, 1010},
                         {x1 - 150, y, topFront - 40},
                         {x0 + 80, y, topRear - 40},
                         {x0 + 40, y, 1010},
                         {x1 - 40, y, 1010}};
    const Line handle = {{x0 + 90, y, 900}, {x0 + 260, y, 900}};
    std::vector<Stroke> strokes;
    for (const Line* part : {&outline, &window, &handle}) {
        Line opened;
        for (const QVector3D& p : *part)
            opened.push_back(RotateAboutVertical(p, x1, y, -degrees));
        strokes.push_back({opened, false, part == &outline ? 2.2f : 1.4f});
    }
    // the door's opening in the body
    strokes.push_back({outline, false, 1.0f});
    return strokes;
}

std::vector<Stroke> CarStrokes() {
    std::vector<Stroke> s;
    const float near = kHalfWidth;
    const float far = -kHalfWidth;
    s.push_back({BodySide(far), true, 1.2f});
    s.push_back({BodySide(near), false, 2.2f});
    // across the car at the corners of the profile
    for (std::size_t i : {0u, 2u, 4u, 6u, 7u, 9u, 11u, 13u})
        s.push_back({{At(kProfile[i], near), At(kProfile[i], far)}, i == 0 || i == 13, 1.2f});
    // wheels, near and far
    for (float wx : kWheelX) {
        s.push_back({Circle(wx, far, kWheelRadius, kWheelRadius), true, 1.2f});
        s.push_back({Circle(wx, near + 20, kWheelRadius, kWheelRadius), false, 2.4f});
        s.push_back({Circle(wx, near + 30, kWheelRadius, kWheelRadius * 0.55f), false, 1.4f});
    }
    // doors, open towards the viewer
    for (const Stroke& d : Door(2330, 3230, 1400, 1330, 58))
        s.push_back(d);
    for (const Stroke& d : Door(1380, 2330, 1330, 1400, 48))
        s.push_back(d);
    // hood, hinged at the windscreen, lifted
    {
        const Line closed = {{3350, near - 30, 1020},
                             {4250, near - 60, 880},
                             {4250, far + 60, 880},
                             {3350, far + 30, 1020},
                             {3350, near - 30, 1020}};
        Line open;
        for (const QVector3D& p : closed)
            open.push_back(RotateAboutCross(p, 3350, 1020, 48));
        s.push_back({open, false, 2.2f});
        s.push_back({closed, false, 1.0f}); // the engine bay's edge
        s.push_back(
            {{RotateAboutCross({4200, 0, 900}, 3350, 1020, 48), {4150, 0, 900}}, false, 1.0f}); // stay
    }
    // trunk lid, hinged at the rear window, lifted
    {
        const Line closed = {{850, near - 40, 1010},
                             {90, near - 40, 960},
                             {90, far + 40, 960},
                             {850, far + 40, 1010},
                             {850, near - 40, 1010}};
        Line open;
        for (const QVector3D& p : closed)
            open.push_back(RotateAboutCross(p, 850, 1010, -58));
        s.push_back({open, false, 2.2f});
        s.push_back({closed, false, 1.0f});
    }
    // windscreen and rear window frames
    s.push_back({{At(kProfile[9], near), At(kProfile[8], near), At(kProfile[8], far), At(kProfile[9], far)},
                 false,
                 1.4f});
    s.push_back({{At(kProfile[4], near), At(kProfile[5], near), At(kProfile[5], far), At(kProfile[4], far)},
                 false,
                 1.4f});
    // lights
    s.push_back({{{4415, near - 80, 760},
                  {4300, near - 80, 860},
                  {4300, near - 420, 870},
                  {4425, near - 420, 770},
                  {4415, near - 80, 760}},
                 false,
                 1.4f});
    s.push_back({{{4415, far + 80, 760},
                  {4300, far + 80, 860},
                  {4300, far + 420, 870},
                  {4425, far + 420, 770},
                  {4415, far + 80, 760}},
                 false,
                 1.4f});
    return s;
}

void DrawCar(QPainter& p, const QRectF& area) {
    const Camera camera = MakeCamera({7600, 8400, 3400}, {2200, 300, 600});
    const std::vector<Stroke> strokes = CarStrokes();
    QRectF bounds;
    for (const Stroke& s : strokes)
        for (const QVector3D& point : s.points) {
            const QPointF q = camera.Project(point);
            bounds = bounds.isNull() ? QRectF(q, QSizeF(0.01, 0.01))
                                     : bounds.united(QRectF(q, QSizeF(0.01, 0.01)));
        }
    const double scale = std::min(area.width() / bounds.width(), area.height() / bounds.height());
    const QPointF offset = area.center() - bounds.center() * scale;
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (bool farPass : {true, false})
        for (const Stroke& s : strokes) {
            if (s.far != farPass)
                continue;
            QPainterPath path;
            for (std::size_t i = 0; i < s.points.size(); ++i) {
                const QPointF q = camera.Project(s.points[i]) * scale + offset;
                i == 0 ? path.moveTo(q) : path.lineTo(q);
            }
            p.setPen(QPen(s.far ? kCarFar : kCarLine, s.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        }
}

QImage Background() {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // title band
    QLinearGradient band(0, 0, 800, 0);
    band.setColorAt(0, QColor(214, 226, 246));
    band.setColorAt(1, kPaper);
    p.fillRect(QRectF(0, 0, 800, 110), band);
    p.setPen(kInk);
    p.setFont(Font("Liberation Sans", 40, true));
    p.drawText(QRectF(28, 16, 740, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Расчет материалов"));
    p.setPen(QPen(QColor(200, 40, 40), 3));
    p.drawLine(QPointF(30, 70), QPointF(330, 70));
    p.setPen(kInk);
    p.setFont(Font("Liberation Sans", 17, false));
    p.drawText(QRectF(30, 76, 740, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("расход и стоимость изоляционных материалов для автомобиля"));

    // slogan above the middle
    p.setFont(Font("Liberation Serif", 24, true));
    p.setPen(QColor(170, 30, 30));
    p.drawText(QRectF(0, 128, 800, 34), Qt::AlignCenter, QStringLiteral("Тишина и тепло в вашем автомобиле"));
    p.setFont(Font("Liberation Sans", 15, false));
    p.setPen(kInk);
    p.drawText(QRectF(0, 164, 800, 24), Qt::AlignCenter,
               QStringLiteral("виброизоляция · шумоизоляция · теплоизоляция · уплотнители"));

    DrawCar(p, QRectF(40, 196, 720, 352));

    // the plates, on a clear field so the buttons' pictures meet the background exactly
    const double sx = 800.0 / kClientWidth;
    const double sy = 600.0 / kClientHeight;
    for (const auto& [place, word] : {std::pair{kSpravkaButton, QStringLiteral("справка")},
                                      std::pair{kRaschetButton, QStringLiteral("расчет")}}) {
        const QRectF button(place.x() * sx, place.y() * sy, kButtonWidth * sx, kButtonHeight * sy);
        p.setPen(Qt::NoPen);
        p.setBrush(kPaper);
        p.drawRoundedRect(button.adjusted(-8, -8, 8, 8), 16, 16);
        DrawPlate(p, button, word);
    }

    // footer band
    p.fillRect(QRectF(0, 558, 800, 42), kPlate);
    p.setPen(QColor(255, 255, 255, 230));
    p.setFont(Font("Liberation Sans", 14, false));
    p.drawText(QRectF(20, 558, 760, 42), Qt::AlignCenter,
               QStringLiteral("Расчет материалов — программа расчета расхода и стоимости материалов"));
    return image;
}

// --- icons ---

QImage Canvas(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage Calculator(int side) {
    QImage image = Canvas(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    p.setPen(QPen(QColor(0, 70, 70), 1));
    p.setBrush(QColor(0, 128, 128));
    p.drawRoundedRect(QRectF(5.5, 1.5, 21, 29), 3, 3);
    p.setBrush(QColor(200, 235, 210));
    p.drawRect(QRectF(8.5, 4.5, 15, 6));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) {
            p.setBrush(col == 2 && row == 3 ? QColor(230, 120, 40) : QColor(235, 245, 245));
            p.drawRect(QRectF(8.5 + col * 5.3, 13 + row * 4.4, 3.8, 3));
        }
    return image;
}

QImage RedBook(int side) {
    QImage image = Canvas(side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 248, 235));
    p.drawRect(QRectF(9, 5, 18, 24)); // pages
    p.setPen(QPen(QColor(110, 0, 0), 1));
    p.setBrush(QColor(200, 20, 20));
    p.drawRoundedRect(QRectF(5.5, 2.5, 19, 24), 1.5, 1.5); // cover
    p.setBrush(QColor(140, 0, 0));
    p.drawRect(QRectF(5.5, 2.5, 4, 24)); // spine
    p.setPen(QPen(QColor(255, 210, 80), 1.2));
    p.drawLine(QPointF(12, 8), QPointF(21, 8));
    p.drawLine(QPointF(12, 11), QPointF(19, 11));
    return image;
}

QImage Tick() {
    QImage image = Canvas(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 150, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
    return image;
}

void Exclamation(QPainter& p, QColor colour) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 4.5), QPointF(8, 8.5));
    p.drawPoint(QPointF(8, 11.5));
}

QImage Retry() {
    QImage image = Canvas(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor red(210, 20, 20);
    p.setPen(QPen(red, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(1.5, 1.5, 13, 13), 100 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPolygon(QPolygonF({{6.0, 0.0}, {10.5, 2.2}, {6.0, 4.6}}));
    Exclamation(p, red);
    return image;
}

QImage Cancel() {
    QImage image = Canvas(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Exclamation(p, QColor(60, 60, 60));
    p.setPen(QPen(QColor(210, 20, 20), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawLine(QPointF(3.6, 12.4), QPointF(12.4, 3.6));
    return image;
}

QImage Question() {
    QImage image = Canvas(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(170, 130, 0), 1));
    p.setBrush(QColor(255, 220, 40));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QColor(210, 0, 0));
    p.setFont(Font("Liberation Sans", 13, true));
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

QImage Broom() {
    QImage image = Canvas(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 70, 20), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 1.5), QPointF(7.5, 8.5));
    p.setPen(QPen(QColor(150, 100, 0), 0.8));
    p.setBrush(QColor(235, 190, 50));
    p.drawPolygon(QPolygonF({{6.0, 7.0}, {9.0, 10.0}, {5.5, 15.0}, {0.8, 10.5}}));
    p.setPen(QPen(QColor(160, 110, 0), 0.8));
    p.drawLine(QPointF(6.5, 10.5), QPointF(3.5, 13.0));
    p.drawLine(QPointF(5.0, 9.5), QPointF(2.2, 11.5));
    return image;
}

QImage Printer() {
    QImage image = Canvas(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 0.5, 7, 6)); // paper in
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(0.5, 5.5, 15, 6.5), 1, 1); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 9.5, 9, 6)); // paper out
    p.setPen(QPen(QColor(120, 120, 120), 0.7));
    p.drawLine(QPointF(5, 12), QPointF(11, 12));
    p.drawLine(QPointF(5, 14), QPointF(10, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 170, 0));
    p.drawRect(QRectF(12.5, 7, 1.5, 1.2));
    return image;
}

bool Save(const QImage& image, const QDir& dir, const char* name, const char* format = "PNG",
          int quality = -1) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("assets"));
    if (!out.exists()) {
        std::fprintf(stderr, "no folder %s\n", qPrintable(out.path()));
        return 1;
    }
    bool ok = Save(Background(), out, "begin_background.jpg", "JPG", 88);
    ok &= Save(ButtonPicture({167, 59}, QStringLiteral("справка")), out, "plate_spravka.png");
    ok &= Save(ButtonPicture({168, 61}, QStringLiteral("расчет")), out, "plate_raschet.png");
    ok &= Save(Calculator(32), out, "calculator32.png");
    ok &= Save(Calculator(16), out, "calculator16.png");
    ok &= Save(RedBook(32), out, "help_book32.png");
    ok &= Save(RedBook(16), out, "help_book16.png");
    ok &= Save(Tick(), out, "tick16.png");
    ok &= Save(Retry(), out, "retry16.png");
    ok &= Save(Cancel(), out, "cancel16.png");
    ok &= Save(Question(), out, "question16.png");
    ok &= Save(Broom(), out, "broom16.png");
    ok &= Save(Printer(), out, "printer16.png");
    return ok ? 0 : 1;
}
