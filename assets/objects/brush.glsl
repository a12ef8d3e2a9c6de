Brush program: bushes drawn one instance at a time. Leaves shiver with time
along the camera's axes, more at the top of the bush and with a phase of
their own per instance. Leaves are read one and a half mipmap levels
sharper, so that far fronds keep their cut-outs. The text ends with a spare
line, which the loader turns into the terminator.
[vert]
#version 120
uniform float time;
uniform float m_in;
uniform vec3 eyePos;
uniform vec3 up;
uniform vec3 right;
uniform float object_id;
uniform vec3 object_pos;

varying vec2 leafCoord;
varying float light;
varying float distanceFade;

void main() {
  vec4 local = gl_Vertex;
  float lift = clamp(local.y / 60.0, 0.0, 1.5);
  float phase = time * 2.1 + object_id * 1.3 + local.x * 0.05;
  vec3 shiver = (right * sin(phase) * 2.0 + up * cos(phase * 1.4) * 0.8) * lift;
  vec4 eye = gl_ModelViewMatrix * local;
  eye.xyz += gl_NormalMatrix * shiver;
  gl_Position = gl_ProjectionMatrix * eye;
  leafCoord = gl_MultiTexCoord0.xy;
  vec3 n = normalize(gl_NormalMatrix * gl_Normal);
  light = 0.5 + 0.5 * abs(dot(n, normalize(vec3(0.3, 0.8, 0.4))));
  // Without instanced drawing (m_in 0) the bushes are lit a little flatter.
  light *= 0.92 + 0.08 * m_in;
  distanceFade = clamp(1.0 - length(object_pos + local.xyz - eyePos) / 9000.0, 0.0, 1.0);
}
[frag]
#version 120
uniform sampler2D grassMap;
uniform float m_gama;

varying vec2 leafCoord;
varying float light;
varying float distanceFade;

void main() {
  vec4 leaf = texture2D(grassMap, leafCoord, -1.5);
  if (leaf.a < 0.5) discard;
  vec3 colour = leaf.rgb * light * m_gama;
  gl_FragColor = vec4(mix(vec3(0.62, 0.72, 0.80) * m_gama, colour, 0.7 + 0.3 * distanceFade), leaf.a);
}

