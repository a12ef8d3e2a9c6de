// Water surface, vertex stage: hands on the scrolling ripple coordinates
// (unit 1), the wave coordinates (unit 2), the clip position for reading the
// reflection where the fragment lies on screen, and the surface point for
// the view and sun directions.
#version 120
varying vec4 clipPos;
varying vec2 rippleCoord;
varying vec2 waveCoord;
varying vec3 surfacePos;

void main() {
  rippleCoord = gl_MultiTexCoord1.xy;
  waveCoord = gl_MultiTexCoord2.xy;
  surfacePos = gl_Vertex.xyz;
  clipPos = ftransform();
  gl_Position = clipPos;
}
