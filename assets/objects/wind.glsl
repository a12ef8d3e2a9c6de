Wind program: palms drawn one instance at a time. The fronds bend more the
higher they grow, with a gust strength read from the noise map at the
instance's place and a phase of its own per instance (rand_s); use_wind 0
holds them still. Under water (in_water and the water height) the colour
turns to the sea's. Leaves are read one and a half mipmap levels sharper, so
that far fronds keep their cut-outs. The text ends with a spare line, which
the loader turns into the terminator.
[vert]
#version 120
uniform sampler2D noiseMap;
uniform float time;
uniform float rand_s;
uniform float use_wind;
uniform vec3 eyePos;
uniform vec3 up;
uniform vec3 right;
uniform float object_id;
uniform vec3 object_pos;

varying vec2 leafCoord;
varying float light;
varying float worldHeight;
varying float distanceFade;

void main() {
  vec4 local = gl_Vertex;
  float lift = clamp(local.y / 780.0, 0.0, 1.2);
  float gust = texture2DLod(noiseMap, object_pos.xz * 0.0003 + vec2(time * 0.01, 0.0), 0.0).r;
  float phase = time * 1.3 + object_id * 0.7 * rand_s;
  float sway = (sin(phase) * 0.6 + sin(phase * 2.7 + local.x * 0.02) * 0.4) * (0.5 + gust);
  vec3 bend = (right * sway * 14.0 + up * cos(phase) * 3.0) * lift * lift * use_wind;
  vec4 eye = gl_ModelViewMatrix * local;
  eye.xyz += gl_NormalMatrix * bend;
  gl_Position = gl_ProjectionMatrix * eye;
  leafCoord = gl_MultiTexCoord0.xy;
  vec3 n = normalize(gl_NormalMatrix * gl_Normal);
  light = 0.55 + 0.45 * abs(dot(n, normalize(vec3(0.3, 0.8, 0.4))));
  worldHeight = object_pos.y + local.y;
  distanceFade = clamp(1.0 - length(object_pos - eyePos) / 12000.0, 0.0, 1.0);
}
[frag]
#version 120
uniform sampler2D grassMap;
uniform float m_gama;
uniform float in_water;
uniform float g_WaterHeight;
uniform float by_simple;

varying vec2 leafCoord;
varying float light;
varying float worldHeight;
varying float distanceFade;

void main() {
  vec4 leaf = texture2D(grassMap, leafCoord, -1.5);
  if (leaf.a < 0.5) discard;
  vec3 colour = leaf.rgb * mix(light, 1.0, by_simple) * m_gama;
  float wet = step(0.5, in_water) * step(worldHeight, g_WaterHeight);
  colour = mix(colour, colour * vec3(0.45, 0.7, 0.8), wet);
  gl_FragColor = vec4(mix(vec3(0.62, 0.72, 0.80) * m_gama, colour, 0.7 + 0.3 * distanceFade), leaf.a);
}

