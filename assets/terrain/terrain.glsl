Terrain program: region colour maps blended by the region mask, the painted
colour map for the large-scale colour, a detail map, the scene light, and the
caustics on the sea floor in the caustic view. The text ends with a spare
line, which the loader turns into the terminator.
[vert]
#version 120
varying vec2 mapCoord;
varying vec3 worldPos;
varying vec3 eyeVertex;
varying vec3 eyeNormal;

void main() {
  mapCoord = gl_MultiTexCoord0.xy;
  worldPos = gl_Vertex.xyz;
  vec4 eye = gl_ModelViewMatrix * gl_Vertex;
  eyeVertex = eye.xyz;
  eyeNormal = gl_NormalMatrix * gl_Normal;
  gl_ClipVertex = eye;
  gl_Position = ftransform();
}
[frag]
#version 120
uniform sampler2D base_ter;
uniform sampler2D region1ColorMap;
uniform sampler2D region2ColorMap;
uniform sampler2D region3ColorMap;
uniform sampler2D refraction;
uniform sampler2D base_ter_old;
uniform sampler2D detail;
uniform float in_seed;
uniform float tilingFactor;
uniform float in_water;
uniform float m_gama;
uniform float g_WaterHeight;
uniform vec3 eyePos;

varying vec2 mapCoord;
varying vec3 worldPos;
varying vec3 eyeVertex;
varying vec3 eyeNormal;

// A region map sampled at two scales, the second turned against the first,
// so that neither repeats visibly.
vec3 Region(sampler2D map, vec2 near, vec2 far) {
  return mix(texture2D(map, near).rgb, texture2D(map, far).rgb, 0.45);
}

void main() {
  vec4 mask = texture2D(base_ter, mapCoord);
  vec3 painted = texture2D(base_ter_old, mapCoord).rgb;

  vec2 near = mapCoord * tilingFactor;
  vec2 far = mat2(0.8, -0.6, 0.6, 0.8) * near * 0.31 + vec2(in_seed * 0.017, in_seed * 0.029);
  vec3 shore = Region(region1ColorMap, near, far);
  vec3 grass = Region(region2ColorMap, near, far);
  vec3 grain = Region(region3ColorMap, near, far);

  // Red: the low gentle ground; green: grassland; blue: sand and rock, whose
  // colour comes from the painted map with the region's grain on it.
  float weight = mask.r + mask.g + mask.b + 0.001;
  vec3 albedo = (mask.r * shore + mask.g * grass + mask.b * grain * painted * 2.0) / weight;
  albedo = mix(albedo, albedo * painted * 2.2, 0.35);

  float fine = texture2D(detail, near * 9.0).r;
  float coarse = texture2D(detail, far * 2.3).r;
  albedo *= 0.55 + 0.55 * fine + 0.35 * (coarse - 0.5);

  vec3 n = normalize(eyeNormal);
  vec4 lightPos = gl_LightSource[0].position;
  vec3 l = normalize(lightPos.xyz / max(lightPos.w, 0.0001) - eyeVertex);
  float wrap = clamp(dot(n, l) * 0.55 + 0.45, 0.0, 1.0);
  vec3 light = gl_FrontMaterial.emission.rgb + gl_LightModel.ambient.rgb * gl_FrontMaterial.ambient.rgb +
               gl_LightSource[0].diffuse.rgb * gl_FrontMaterial.diffuse.rgb * wrap * 0.42;
  vec3 colour = albedo * light;

  if (in_water > 0.5 && in_water < 1.5 && worldPos.y < g_WaterHeight) {
    float depth = clamp((g_WaterHeight - worldPos.y) / 600.0, 0.0, 1.0);
    vec3 caustic = texture2D(refraction, worldPos.xz / 190.0).rgb;
    colour = mix(colour, colour * vec3(0.55, 0.8, 0.85), depth);
    colour += caustic * 0.35 * (1.0 - depth);
  }

  float haze = smoothstep(9000.0, 60000.0, length(worldPos - eyePos));
  colour = mix(colour, vec3(0.62, 0.74, 0.86), haze * 0.55);
  gl_FragColor = vec4(colour * m_gama, 1.0);
}

