Grass program: crossed-quad blades baked in world space, swaying with time
along the camera's right and up axes; the tip moves, the root stays. The
blade texture's alpha cuts the blades out (read one and a half mipmap levels
sharper, so that far blades keep their cut-outs) and distance fades them
into the haze. The text ends with a spare line, which the loader turns into
the terminator.
[vert]
#version 120
#extension GL_EXT_gpu_shader4 : enable
uniform samplerBuffer tboTransform;
uniform float time;
uniform float m_in;
uniform vec3 eyePos;
uniform vec3 up;
uniform vec3 right;

varying vec2 bladeCoord;
varying vec2 groundCoord;
varying float shade;
varying float distanceFade;

void main() {
  vec4 world = gl_Vertex;
  // Instanced drawing reads per-instance offsets from the buffer texture; the
  // baked cells carry their positions already and pass m_in below 2.
  world.xyz += texelFetchBuffer(tboTransform, 0).xyz * step(2.0, m_in);
  float tip = gl_MultiTexCoord0.y;
  float phase = time * 1.7 + world.x * 0.013 + world.z * 0.011;
  float sway = sin(phase) + 0.35 * sin(phase * 2.3 + world.z * 0.05);
  world.xyz += (right * sway * 5.0 + up * (cos(phase) * 1.5)) * tip * tip;
  bladeCoord = gl_MultiTexCoord0.xy;
  groundCoord = world.xz * 0.0007;
  shade = 0.65 + 0.35 * tip;
  distanceFade = clamp(1.0 - length(world.xyz - eyePos) / 9000.0, 0.0, 1.0);
  gl_Position = gl_ModelViewProjectionMatrix * world;
}
[frag]
#version 120
uniform sampler2D grassMap;
uniform sampler2D noiseMap;
uniform float m_gama;

varying vec2 bladeCoord;
varying vec2 groundCoord;
varying float shade;
varying float distanceFade;

void main() {
  vec4 blade = texture2D(grassMap, bladeCoord, -1.5);
  if (blade.a < 0.5) discard;
  float patchTone = 0.8 + 0.4 * texture2D(noiseMap, groundCoord).r;
  vec3 colour = blade.rgb * shade * patchTone * m_gama;
  gl_FragColor = vec4(mix(vec3(0.62, 0.72, 0.80) * m_gama, colour, 0.7 + 0.3 * distanceFade), blade.a);
}

