// Water surface, fragment stage: the reflection texture read where the
// fragment lies on screen, bent by the dudv and normal maps; mixed with the
// water colour by how steeply the surface is seen; sun glints; and the
// transparency from water_alha. The refraction and depth units hold no
// texture and are not read.
#version 120
uniform sampler2D reflection;
uniform sampler2D refraction;
uniform sampler2D normalMap;
uniform sampler2D dudvMap;
uniform sampler2D depthMap;
uniform vec4 waterColor;
uniform vec4 lightPos;
uniform vec4 cameraPos;
uniform vec4 water_alha;
uniform float m_gama;

varying vec4 clipPos;
varying vec2 rippleCoord;
varying vec2 waveCoord;
varying vec3 surfacePos;

void main() {
  // Offsets stored around 0.5; the wave map is read where they push it.
  vec2 dudv = texture2D(dudvMap, rippleCoord).rg * 2.0 - 1.0;
  vec3 wave = texture2D(normalMap, waveCoord + dudv * 0.06).rgb * 2.0 - 1.0;
  // The map's x runs along s (world x), its y along t (world -z), z is up.
  vec3 normal = normalize(vec3(wave.x, wave.z * 2.5, -wave.y));

  vec2 screen = clipPos.xy / clipPos.w * 0.5 + 0.5;
  vec2 bend = dudv * 0.012 + normal.xz * 0.02;
  vec3 reflected = texture2D(reflection, clamp(screen + bend, 0.001, 0.999)).rgb;

  vec3 toEye = normalize(cameraPos.xyz - surfacePos);
  float facing = clamp(abs(dot(toEye, normal)), 0.0, 1.0);
  float fresnel = 0.25 + 0.75 * pow(1.0 - facing, 2.0);
  vec3 colour = mix(waterColor.rgb, reflected, fresnel);

  vec3 toSun = normalize(lightPos.xyz - surfacePos);
  float glint = pow(max(dot(normal, normalize(toSun + toEye)), 0.0), 180.0);
  colour += vec3(1.0, 0.93, 0.8) * glint * 1.6;

  gl_FragColor = vec4(colour * m_gama, clamp(water_alha.a, 0.0, 1.0));
}
