// Plays every level with its build plans at several frame rates and prints the balance table:
//   gobbler_balance [--fps 20,30,60,144] [--x2] [--png chart.png] [--plan TEXT]
// Each row is one plan at one frame rate: won or lost, final rating and stars, money left, and
// for each wave the customers who left full out of those who left, with the rating after it.
// --png also draws the ratings wave by wave, one panel per plan. --plan keeps the plans whose
// name contains TEXT; --x2 plays them all at double speed. Needs a display (Xvfb) and the
// resources.
#include "support/bot.h"
#include "support/plans.h"
#include "support/sandbox.h"

#include <SFML/Graphics.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Row {
    const BuildPlan* plan;
    double fps;
    PlayReport report;
};

std::vector<double> parseRates(const char* text) {
    std::vector<double> rates;
    for (const char* p = text; *p;) {
        char* end = nullptr;
        const double rate = std::strtod(p, &end);
        if (end == p)
            break;
        if (rate > 0)
            rates.push_back(rate);
        p = *end == ',' ? end + 1 : end;
    }
    return rates;
}

const char* levelName(int level) {
    static const char* names[] = {"tutorial", "level 1", "level 2", "level 3"};
    return level >= 0 && level <= 3 ? names[level] : "?";
}

void printRow(const Row& row) {
    const PlayReport& r = row.report;
    std::printf("%-8s  %-28s %5.0f  %-4s %5.2f  %d  %5d ", levelName(row.plan->level),
                row.plan->name, row.fps,
                !r.ended ? "----"
                : r.won  ? "won"
                         : "lost",
                r.rating, r.stars, r.money);
    for (const WaveReport& w : r.waves)
        std::printf(" %2d/%-2d %4.1f", w.full, w.customers, w.rating);
    if (r.ordersFailed > 0)
        std::printf("  (%d orders refused)", r.ordersFailed);
    std::printf("\n");
    std::fflush(stdout);
}

// One panel per plan: the rating after each wave, one line per frame rate, and the objective
// (the grey line).
bool writeChart(const std::vector<Row>& rows, const std::vector<double>& rates,
                const std::string& path) {
    sf::Font font;
    if (!font.loadFromFile("../resources/fonts/SlyCooper.ttf"))
        return false;
    std::vector<const BuildPlan*> panels;
    for (const Row& row : rows)
        if (panels.empty() || panels.back() != row.plan)
            panels.push_back(row.plan);
    const unsigned columns = 2, panelW = 620, panelH = 300;
    const unsigned lines = static_cast<unsigned>((panels.size() + columns - 1) / columns);
    sf::RenderTexture canvas;
    if (!canvas.create(columns * panelW, lines * panelH + 40))
        return false;
    canvas.clear(sf::Color::White);
    const sf::Color palette[] = {sf::Color(220, 60, 40), sf::Color(240, 160, 20),
                                 sf::Color(40, 140, 60), sf::Color(40, 90, 200),
                                 sf::Color(140, 60, 170)};
    auto text = [&](const std::string& s, float x, float y, unsigned size, sf::Color colour) {
        sf::Text t(s, font, size);
        t.setFillColor(colour);
        t.setPosition(x, y);
        canvas.draw(t);
    };
    // The legend: one colour per frame rate.
    for (std::size_t i = 0; i < rates.size(); ++i) {
        char label[32];
        std::snprintf(label, sizeof label, "%.0f fps", rates[i]);
        text(label, 20.0f + 120.0f * static_cast<float>(i), 8, 20, palette[i % 5]);
    }
    for (std::size_t p = 0; p < panels.size(); ++p) {
        const float left = static_cast<float>((p % columns) * panelW) + 50;
        const float top = static_cast<float>((p / columns) * panelH) + 80;
        const float width = panelW - 80.0f, height = panelH - 110.0f;
        const BuildPlan& plan = *panels[p];
        text(std::string(levelName(plan.level)) + ": " + plan.name, left, top - 40, 20,
             sf::Color::Black);
        sf::RectangleShape frame({width, height});
        frame.setPosition(left, top);
        frame.setFillColor(sf::Color(245, 245, 245));
        frame.setOutlineColor(sf::Color(160, 160, 160));
        frame.setOutlineThickness(1);
        canvas.draw(frame);
        auto yOf = [&](float rating) { return top + height - height * rating / 10.0f; };
        const float objective = plan.level == 3 ? 8.0f : 5.0f;
        sf::RectangleShape goal({width, 2});
        goal.setPosition(left, yOf(objective));
        goal.setFillColor(sf::Color(120, 120, 120));
        canvas.draw(goal);
        for (int r = 0; r <= 10; r += 5)
            text(std::to_string(r), left - 25, yOf(static_cast<float>(r)) - 10, 14,
                 sf::Color::Black);
        // The waves along the bottom, under the rating each ended with.
        const int waveCount = plan.level <= 1 ? 5 : 7;
        for (int w = 1; w <= waveCount; ++w)
            text(std::to_string(w),
                 left + width * static_cast<float>(w) / static_cast<float>(waveCount) - 4,
                 top + height + 4, 14, sf::Color(90, 90, 90));
        for (const Row& row : rows) {
            if (row.plan != &plan || row.report.waves.empty())
                continue;
            std::size_t rate = 0;
            while (rate < rates.size() && rates[rate] != row.fps)
                ++rate;
            const auto& waves = row.report.waves;
            const float stepX = width / static_cast<float>(waves.size());
            sf::VertexArray line(sf::LineStrip);
            line.append(sf::Vertex({left, yOf(0)}, palette[rate % 5]));
            for (std::size_t w = 0; w < waves.size(); ++w) {
                const sf::Vector2f at(left + stepX * static_cast<float>(w + 1),
                                      yOf(waves[w].rating));
                line.append(sf::Vertex(at, palette[rate % 5]));
                sf::CircleShape dot(3);
                dot.setOrigin(3, 3);
                dot.setPosition(at);
                dot.setFillColor(palette[rate % 5]);
                canvas.draw(dot);
            }
            canvas.draw(line);
        }
    }
    canvas.display();
    return canvas.getTexture().copyToImage().saveToFile(path);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<double> rates = {20, 30, 60, 144};
    std::string png, only;
    int speed = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--fps") && i + 1 < argc)
            rates = parseRates(argv[++i]);
        else if (!std::strcmp(argv[i], "--png") && i + 1 < argc)
            png = std::filesystem::absolute(argv[++i]).string();
        else if (!std::strcmp(argv[i], "--plan") && i + 1 < argc)
            only = argv[++i];
        else if (!std::strcmp(argv[i], "--x2"))
            speed = 2;
        else {
            std::fprintf(stderr,
                         "usage: %s [--fps 20,30,60,144] [--x2] [--png chart.png] [--plan TEXT]\n",
                         argv[0]);
            return 2;
        }
    }
    const std::string root = enterSandbox(true);
    std::printf("%-8s  %-28s %5s  %-4s %5s  %s  %5s  per wave: full/left, rating after\n", "level",
                "plan", "fps", "end", "rate", "*", "money");
    std::vector<Row> rows;
    std::vector<const BuildPlan*> played;
    for (int level = 0; level <= 3; ++level) {
        for (const BuildPlan& plan : plans::withoutTowers)
            if (plan.level == level)
                played.push_back(&plan);
        for (const BuildPlan& plan : plans::winning)
            if (plan.level == level)
                played.push_back(&plan);
    }
    for (const BuildPlan* plan : played) {
        if (!only.empty() && std::string(plan->name).find(only) == std::string::npos)
            continue;
        for (const double fps : rates) {
            rows.push_back({plan, fps, playLevel(*plan, fps, speed)});
            printRow(rows.back());
        }
    }
    bool written = true;
    if (!png.empty()) {
        written = writeChart(rows, rates, png);
        std::printf(written ? "chart: %s\n" : "could not write %s\n", png.c_str());
    }
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(root, ignored);
    return written ? 0 : 1;
}
