// The WebGL device beneath the OpenGL 1.1 layer of gl11.cpp (an
// Emscripten JS library): one context on the page's canvas, one shader pair
// for textured or plain quads in eye space under a projection, textures by
// their GL names, and the handful of calls a batch, a clear, a read-back or
// the framebuffer's copy needs. GL enums pass through unchanged: WebGL keeps
// OpenGL's values for every one used here.
//
// The browser may take the context away (a GPU reset, too many contexts)
// and give it back empty. While it is away every call does nothing and the
// page says so; once back, its own objects are made again here and the
// layer is told (webglTakeRestored), so that the program sets the context up
// as a new one.
mergeInto(LibraryManager.library, {
  $WebGL11__deps: ['$Page'],
  $WebGL11: {
    gl: null,
    webgl2: false,
    textures: [],        // WebGLTexture by GL name
    viewport: [0, 0, 0, 0],
    quadsPerDraw: 16384, // four vertices each, so 16-bit indices reach them all
    floatsPerVertex: 5,  // eye-space x, y, z, then s, t
    pixelQuad: null, // the framebuffer copy's four vertices
    identity: null,
    // Whether the canvas still shows the last copy drawn: a new or resized
    // drawing buffer or a context given back holds nothing.
    pictureKept: false,
    restored: false, // given back since the layer last asked
    lostMessage: null, // the page's line while the context is away
    listeners: null,

    // The page's line about a lost context, shown or taken away.
    sayLost: function(lost) {
      if (lost && !WebGL11.lostMessage)
        WebGL11.lostMessage = Page.addMessage('undercroft: the browser has taken the picture\'s ' +
                                              'WebGL context away; the picture comes back when ' +
                                              'the browser gives it back');
      if (!lost && WebGL11.lostMessage) {
        WebGL11.lostMessage.remove();
        WebGL11.lostMessage = null;
      }
    },

    // Listens to the canvas's context being lost (the default prevented,
    // which lets the browser give it back) and restored.
    listen: function(canvas, gl) {
      var listeners = {
        webglcontextlost: function(event) {
          event.preventDefault();
          WebGL11.pictureKept = false;
          WebGL11.sayLost(true);
        },
        webglcontextrestored: function() {
          WebGL11.sayLost(false);
          if (!WebGL11.setUp(gl))
            return;
          WebGL11.textures = [];
          WebGL11.viewport = [0, 0, canvas.width, canvas.height];
          WebGL11.pictureKept = false;
          WebGL11.restored = true;
        },
      };
      for (var type in listeners)
        canvas.addEventListener(type, listeners[type]);
      WebGL11.listeners = { canvas: canvas, handlers: listeners };
    },

    stopListening: function() {
      var listening = WebGL11.listeners;
      if (!listening)
        return;
      for (var type in listening.handlers)
        listening.canvas.removeEventListener(type, listening.handlers[type]);
      WebGL11.listeners = null;
      WebGL11.sayLost(false);
    },

    compile: function(gl, type, source) {
      var shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      return shader;
    },

    // The shaders: the texel times the current colour, or the colour alone.
    // Texture coordinates in high precision, so nearest sampling picks the
    // texel GL's rasterizer does.
    makeProgram: function(gl) {
      var vertex = 'attribute vec3 position; attribute vec2 texCoord;' +
          'uniform mat4 projection; varying vec2 st;' +
          'void main() { st = texCoord; gl_Position = projection * vec4(position, 1.0); }';
      var fragment = 'precision highp float;' +
          'uniform sampler2D image; uniform vec4 colour; uniform float textured; varying vec2 st;' +
          'void main() { gl_FragColor = textured > 0.5 ? texture2D(image, st) * colour : colour; }';
      var program = gl.createProgram();
      gl.attachShader(program, WebGL11.compile(gl, gl.VERTEX_SHADER, vertex));
      gl.attachShader(program, WebGL11.compile(gl, gl.FRAGMENT_SHADER, fragment));
      gl.bindAttribLocation(program, 0, 'position');
      gl.bindAttribLocation(program, 1, 'texCoord');
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS))
        return null;
      return program;
    },

    // Quad k uses vertices 4k .. 4k + 3 as the triangles (0, 1, 2), (0, 2, 3).
    makeQuadIndices: function(gl) {
      var indices = new Uint16Array(WebGL11.quadsPerDraw * 6);
      for (var k = 0; k < WebGL11.quadsPerDraw; k++) {
        var v = k * 4;
        indices.set([v, v + 1, v + 2, v, v + 2, v + 3], k * 6);
      }
      var buffer = gl.createBuffer();
      gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffer);
      gl.bufferData(gl.ELEMENT_ARRAY_BUFFER, indices, gl.STATIC_DRAW);
    },

    setUp: function(gl) {
      var program = WebGL11.makeProgram(gl);
      if (!program)
        return false;
      gl.useProgram(program);
      WebGL11.uniforms = {
        projection: gl.getUniformLocation(program, 'projection'),
        colour: gl.getUniformLocation(program, 'colour'),
        textured: gl.getUniformLocation(program, 'textured'),
      };
      gl.uniform1i(gl.getUniformLocation(program, 'image'), 0);
      WebGL11.makeQuadIndices(gl);
      WebGL11.pixelQuad = new Float32Array(20);
      WebGL11.identity = new Float32Array([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]);
      WebGL11.vertexBuffer = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, WebGL11.vertexBuffer);
      gl.enableVertexAttribArray(0);
      gl.enableVertexAttribArray(1);
      WebGL11.presentTexture = gl.createTexture();
      WebGL11.presentSize = [0, 0];
      gl.bindTexture(gl.TEXTURE_2D, WebGL11.presentTexture);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, gl.NEAREST);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
      return true;
    },

    // Draws the first `quads` quads of the bound vertex buffer, in runs the
    // index buffer covers.
    drawQuads: function(gl, quads) {
      var stride = WebGL11.floatsPerVertex * 4;
      for (var done = 0; done < quads; done += WebGL11.quadsPerDraw) {
        var offset = done * 4 * stride;
        gl.vertexAttribPointer(0, 3, gl.FLOAT, false, stride, offset);
        gl.vertexAttribPointer(1, 2, gl.FLOAT, false, stride, offset + 12);
        gl.drawElements(gl.TRIANGLES, Math.min(quads - done, WebGL11.quadsPerDraw) * 6,
                        gl.UNSIGNED_SHORT, 0);
      }
    },

    applyCapabilities: function(gl, depthTest, depthFunc, blend, blendSrc, blendDst) {
      if (depthTest) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
      gl.depthFunc(depthFunc);
      if (blend) gl.enable(gl.BLEND); else gl.disable(gl.BLEND);
      gl.blendFunc(blendSrc, blendDst);
    },
  },

  // A context on the page's canvas: WebGL 2 where there is one (textures of
  // any size repeat, as in OpenGL), else WebGL 1. No alpha channel, so
  // pixels cleared to alpha 0 show black as they do in a window; no
  // antialiasing, so edges rasterize as GL's do. 1 on success.
  webglCreateContext__deps: ['$WebGL11', '$Page'],
  webglCreateContext: function() {
    if (!Page.canvas)
      return 0;
    var attributes = { alpha: false, depth: true, stencil: false, antialias: false,
                       premultipliedAlpha: false, preserveDrawingBuffer: false };
    var gl = Page.canvas.getContext('webgl2', attributes);
    WebGL11.webgl2 = !!gl;
    if (!gl)
      gl = Page.canvas.getContext('webgl', attributes);
    if (!gl || !WebGL11.setUp(gl))
      return 0;
    WebGL11.gl = gl;
    WebGL11.textures = [];
    WebGL11.viewport = [0, 0, Page.canvas.width, Page.canvas.height];
    WebGL11.pictureKept = false;
    WebGL11.restored = false;
    WebGL11.listen(Page.canvas, gl);
    Page.onBufferResized = function() { WebGL11.pictureKept = false; };
    return 1;
  },

  // Lets the browser free the context at once rather than when the old
  // canvas is collected.
  webglDestroyContext__deps: ['$WebGL11'],
  webglDestroyContext: function() {
    var gl = WebGL11.gl;
    if (!gl)
      return;
    WebGL11.stopListening();
    var lose = gl.getExtension('WEBGL_lose_context');
    if (lose)
      lose.loseContext();
    WebGL11.gl = null;
    WebGL11.textures = [];
    WebGL11.restored = false;
  },

  // 1 once after the context was given back (its state a new context's).
  webglTakeRestored__deps: ['$WebGL11'],
  webglTakeRestored: function() {
    var restored = WebGL11.restored;
    WebGL11.restored = false;
    return restored ? 1 : 0;
  },

  // 1 while the canvas shows the last copy drawn (webglDrawPixels) and
  // nothing has been drawn over it since: then a canvas left alone in a
  // frame keeps showing it.
  webglPictureKept__deps: ['$WebGL11'],
  webglPictureKept: function() {
    return WebGL11.pictureKept ? 1 : 0;
  },

  webglViewport__deps: ['$WebGL11'],
  webglViewport: function(x, y, width, height) {
    WebGL11.viewport = [x, y, width, height];
    if (WebGL11.gl)
      WebGL11.gl.viewport(x, y, width, height);
  },

  webglClear__deps: ['$WebGL11'],
  webglClear: function(mask, red, green, blue, alpha, depth) {
    var gl = WebGL11.gl;
    if (!gl)
      return;
    gl.clearColor(red, green, blue, alpha);
    gl.clearDepth(depth);
    gl.clear(mask);
  },

  // Level 0 of texture `name` from `width` x `height` pixels of `format`
  // (RGB or RGBA bytes, rows padded to `alignment`), or none when `pixels`
  // is 0. Filters as given; a texture whose sides are not powers of two
  // clamps under WebGL 1, which cannot repeat it.
  webglTexImage__deps: ['$WebGL11'],
  webglTexImage: function(name, width, height, format, pixels, alignment, minFilter, magFilter) {
    var gl = WebGL11.gl;
    if (!gl)
      return;
    var texture = WebGL11.textures[name] || (WebGL11.textures[name] = gl.createTexture());
    gl.bindTexture(gl.TEXTURE_2D, texture);
    gl.pixelStorei(gl.UNPACK_ALIGNMENT, alignment);
    var bytesPerPixel = format == gl.RGBA ? 4 : 3;
    var rowBytes = Math.ceil(width * bytesPerPixel / alignment) * alignment;
    var data = pixels ? HEAPU8.subarray(pixels, pixels + rowBytes * (height - 1) + width * bytesPerPixel)
                      : null;
    gl.texImage2D(gl.TEXTURE_2D, 0, format, width, height, 0, format, gl.UNSIGNED_BYTE, data);
    var powerOfTwo = (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
    var wrap = WebGL11.webgl2 || powerOfTwo ? gl.REPEAT : gl.CLAMP_TO_EDGE;
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, wrap);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, wrap);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, minFilter);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, magFilter);
  },

  webglTexFilters__deps: ['$WebGL11'],
  webglTexFilters: function(name, minFilter, magFilter) {
    var gl = WebGL11.gl;
    if (!gl || !WebGL11.textures[name])
      return;
    gl.bindTexture(gl.TEXTURE_2D, WebGL11.textures[name]);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, minFilter);
    gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, magFilter);
  },

  // One batch: `quads` quads of eye-space vertices at `vertices` (five
  // floats each), textured with texture `name` (0: untextured), under the
  // projection at `projection` (sixteen floats, column-major) and the
  // given depth and blend state, modulated by the colour.
  webglDrawQuads__deps: ['$WebGL11'],
  webglDrawQuads: function(name, vertices, quads, projection, depthTest, depthFunc, blend, blendSrc,
                           blendDst, red, green, blue, alpha) {
    var gl = WebGL11.gl;
    if (!gl || quads <= 0)
      return;
    var uniforms = WebGL11.uniforms;
    gl.uniformMatrix4fv(uniforms.projection, false, HEAPF32.subarray(projection >> 2, (projection >> 2) + 16));
    gl.uniform4f(uniforms.colour, red, green, blue, alpha);
    gl.uniform1f(uniforms.textured, name ? 1 : 0);
    if (name)
      gl.bindTexture(gl.TEXTURE_2D, WebGL11.textures[name] || null);
    WebGL11.applyCapabilities(gl, depthTest, depthFunc, blend, blendSrc, blendDst);
    var floats = quads * 4 * WebGL11.floatsPerVertex;
    gl.bindBuffer(gl.ARRAY_BUFFER, WebGL11.vertexBuffer);
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(vertices >> 2, (vertices >> 2) + floats), gl.STREAM_DRAW);
    WebGL11.drawQuads(gl, quads);
  },

  // RGBA bytes of the rectangle into `pixels`, rows from the bottom. 1 when
  // read; 0, nothing written, without a context or while it is lost.
  webglReadPixels__deps: ['$WebGL11'],
  webglReadPixels: function(x, y, width, height, pixels) {
    var gl = WebGL11.gl;
    if (!gl || gl.isContextLost())
      return 0;
    gl.pixelStorei(gl.PACK_ALIGNMENT, 4);
    gl.readPixels(x, y, width, height, gl.RGBA, gl.UNSIGNED_BYTE,
                  HEAPU8.subarray(pixels, pixels + width * height * 4));
    return 1;
  },

  // glDrawPixels of RGBA bytes at the window's lower-left corner, enlarged
  // by the zoom (in window pixels, which the drawing buffer shows at its
  // own size): one texture upload and one quad over the buffer's pixel
  // grid, nearest texel per buffer pixel, never hidden by depth.
  webglDrawPixels__deps: ['$WebGL11', '$Page'],
  webglDrawPixels: function(width, height, pixels, zoomX, zoomY, blend, blendSrc, blendDst) {
    var gl = WebGL11.gl;
    if (!gl || !Page.canvas || !Page.window || width <= 0 || height <= 0)
      return;
    var canvasWidth = Page.canvas.width, canvasHeight = Page.canvas.height;
    var windowWidth = Page.window.width, windowHeight = Page.window.height;
    var data = HEAPU8.subarray(pixels, pixels + width * height * 4);
    gl.bindTexture(gl.TEXTURE_2D, WebGL11.presentTexture);
    gl.pixelStorei(gl.UNPACK_ALIGNMENT, 4);
    if (WebGL11.presentSize[0] != width || WebGL11.presentSize[1] != height) {
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, width, height, 0, gl.RGBA, gl.UNSIGNED_BYTE, data);
      WebGL11.presentSize = [width, height];
    } else {
      gl.texSubImage2D(gl.TEXTURE_2D, 0, 0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, data);
    }
    var right = -1 + 2 * width * zoomX / windowWidth;
    var top = -1 + 2 * height * zoomY / windowHeight;
    WebGL11.pixelQuad.set([-1, -1, 0, 0, 0, right, -1, 0, 1, 0, right, top, 0, 1, 1, -1, top, 0, 0, 1]);
    gl.viewport(0, 0, canvasWidth, canvasHeight);
    gl.uniformMatrix4fv(WebGL11.uniforms.projection, false, WebGL11.identity);
    gl.uniform4f(WebGL11.uniforms.colour, 1, 1, 1, 1);
    gl.uniform1f(WebGL11.uniforms.textured, 1);
    WebGL11.applyCapabilities(gl, false, gl.ALWAYS, blend, blendSrc, blendDst);
    gl.bindBuffer(gl.ARRAY_BUFFER, WebGL11.vertexBuffer);
    gl.bufferData(gl.ARRAY_BUFFER, WebGL11.pixelQuad, gl.STREAM_DRAW);
    WebGL11.drawQuads(gl, 1);
    var viewport = WebGL11.viewport;
    gl.viewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    WebGL11.pictureKept = !gl.isContextLost();
  },
});
