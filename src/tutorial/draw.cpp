// The tutorial's look: the spotlight over the frame drawn so far, the speech bubble, the spatula
// and the text.
#include "tutorial/records.h"
#include "tutorial/tutorial.h"

#include "assets/assets.h"

namespace {

// Copies the frame drawn so far and draws it again through the light.
void drawSpotlight(const GameSight& g, Renderer& r) {
    if (r.frame.signing()) {
        const float light[3] = {g.lesson.spotlightX, g.lesson.spotlightY, g.lesson.spotlightRadius};
        return r.frame.sign(light, sizeof light);
    }
    sf::Shader& shader = *r.spotlight;
    shader.setUniform("texture", sf::Shader::CurrentTexture);
    shader.setUniform("AmbientLight", sf::Glsl::Vec3(0.2f, 0.2f, 0.2f));
    // The shader works in the frame's own pixels, whatever size it is drawn at.
    const float scale = static_cast<float>(r.frame.getSize().x) / layoutWidth;
    const float scaleY = static_cast<float>(r.frame.getSize().y) / layoutHeight;
    shader.setUniform("LightPosition", sf::Glsl::Vec3(g.lesson.spotlightX * scale,
                                                      g.lesson.spotlightY * scaleY, 1.0f));
    shader.setUniform("LightColor", sf::Glsl::Vec3(0.2f, 0.2f, 0.2f));
    shader.setUniform("LightRadius", g.lesson.spotlightRadius * scale);
    r.frame.display();
    // Made when a lesson lights something, let go of when the light goes out (endDrawing).
    if (r.capture.getSize() != r.frame.getSize())
        r.capture.create(r.frame.getSize().x, r.frame.getSize().y);
    r.capture.update(r.frame.getTexture());
    r.captured = true;
    const sf::RenderStates lit(sf::BlendAlpha, sf::Transform::Identity, nullptr, &shader);
    sf::Sprite copy(r.capture);
    copy.setScale(layoutWidth / static_cast<float>(r.capture.getSize().x),
                  layoutHeight / static_cast<float>(r.capture.getSize().y));
    r.frame.draw(copy, lit);
}

} // namespace

void loadSpotlight(Renderer& r) {
    if (r.spotlight)
        return;
    auto shader = std::make_unique<sf::Shader>();
    if (!loadFragmentShader(*shader, "../resources/shaders/SimpleLight.frag"))
        return;
    r.spotlight = std::move(shader);
}

void drawTutorialLayer(const GameSight& g, Renderer& r) {
    // Until the light's shader is compiled (or when it does not compile) the lesson shows unlit.
    if (g.lesson.spotlightOn == 1 && r.spotlight && r.spotlight->getNativeHandle() != 0)
        drawSpotlight(g, r);
    if (!g.lesson.dialogue.empty()) {
        r.frame.draw(g.lesson.bubbleSprite);
        r.frame.draw(g.lesson.spatulaSprite);
    }
    r.frame.draw(g.lesson.dialogueText);
}
