// Part of the browser's OpenGL layer (web/gl/GL/velmoor_layer.h): the emulation lights every
// lamp as if it were infinitely far away, in the direction of its position; OpenGL's lamp with
// w = 1 stands at its position, and each vertex is lit from the direction of the lamp as seen
// from that vertex. The emulation's vertex shaders are given that direction as they are made.
(function () {
  const lampDirection = /normalize\((u_lightPosition\d+)\)\.xyz/g;
  for (const type of [self.WebGLRenderingContext, self.WebGL2RenderingContext]) {
    if (!type) continue;
    const shaderSource = type.prototype.shaderSource;
    type.prototype.shaderSource = function (shader, source) {
      return shaderSource.call(this, shader,
        source.replace(lampDirection, 'normalize($1.xyz - ecPosition.xyz * $1.w)'));
    };
  }
})();
