// Tutorial spotlight: the captured frame is darkened everywhere except a soft
// lit circle around LightPosition (window pixels, y counted from the bottom).
#version 120

uniform sampler2D texture;
uniform vec3 AmbientLight;
uniform vec3 LightPosition;
uniform vec3 LightColor;
uniform float LightRadius;

void main()
{
    vec4 pixel = texture2D(texture, gl_TexCoord[0].xy);
    float radius = max(LightRadius, 1.0);
    float edge = max(10.0, radius * 0.22);
    float dist = distance(gl_FragCoord.xy, LightPosition.xy);
    // 1 inside the circle, 0 outside, with a soft rim of width 'edge'
    float lit = 1.0 - smoothstep(radius - edge, radius, dist);
    // outside: the ambient level plus a faint wash of the light's colour
    vec3 dim = clamp(AmbientLight + LightColor, 0.0, 1.0);
    // a warm rim so the circle reads as a spotlight
    float rim = smoothstep(radius - edge, radius - edge * 0.5, dist) * lit;
    vec3 factor = mix(dim, vec3(1.0), lit) + vec3(0.10, 0.08, 0.0) * rim;
    gl_FragColor = vec4(clamp(pixel.rgb * factor, 0.0, 1.0), pixel.a) * gl_Color;
}
