Simple program: the sky box's faces as painted, scaled by the brightness.
The draw hands m_gama as 0.6 times the brightness setting, so the texture
is shown unchanged at the default brightness of 1. The text ends with a
spare line, which the loader turns into the terminator.
[vert]
#version 120
varying vec2 faceCoord;

void main() {
  faceCoord = gl_MultiTexCoord0.xy;
  gl_Position = ftransform();
}
[frag]
#version 120
uniform sampler2D base_tex;
uniform float m_gama;

varying vec2 faceCoord;

void main() {
  vec3 sky = texture2D(base_tex, faceCoord).rgb;
  gl_FragColor = vec4(sky * (m_gama / 0.6), 1.0);
}

