// The page side of the web backend (an Emscripten JS library): the canvas
// that stands in for the game window, its place and size in the page, the
// message lines, the wait for the browser's next animation frame that paces
// presentation, and the queue that hands PNG shots to the browser. The
// page's "desktop" is the browser's viewport: the cursor and the canvas's
// rectangle are both read in its (client) coordinates.
mergeInto(LibraryManager.library, {
  $Page: {
    canvas: null,
    // The canvas as the program opened it: the window's size in CSS pixels,
    // the picture it shows enlarged (the framebuffer), the least drawing
    // buffer (the 3D view renders into its lower left), and the fit last
    // applied with what it was made for.
    window: null,
    fitted: null,
    listening: false, // to the viewport's resizes and context menus
    // Presentation: at most this many frames a second, whatever the
    // display's refresh rate.
    framesPerSecond: 60,
    // The time (ms) from which the next frame may be shown.
    nextDue: 0,
    // Frame statistics for the page's tests and figures: frames shown, the
    // time the first one was shown (ms since the page's navigation began),
    // and the time spent between being woken and presenting (the program's
    // own work per frame), summed.
    stats: { frames: 0, firstFrameMs: -1, workMs: 0, resumedAt: -1 },
    // Called when the canvas's drawing buffer is made anew (its picture is
    // gone); webgl.js sets it.
    onBufferResized: null,
    // PNG shots waiting to be handed to the browser, in the order taken.
    shots: [],
    delivering: false,
    // The pause between two downloads: handed over faster, Chromium drops
    // some of them.
    downloadGapMs: 200,

    // Whether a frame may be shown at the animation frame of time `now`
    // (ms); if so, it counts as shown. A display's frame may come a little
    // early; a frame that comes more than one interval late starts the
    // count afresh rather than letting frames catch up.
    frameDue: function(now) {
      var interval = 1000 / Page.framesPerSecond;
      var slack = 1;
      if (now < Page.nextDue - slack)
        return false;
      Page.nextDue = (now - Page.nextDue > interval ? now : Page.nextDue) + interval;
      return true;
    },

    // Whether the browser enlarges a canvas's drawing buffer by repeating its
    // pixels when asked (image-rendering: pixelated): Chromium and Firefox
    // do, at any pixel ratio; WebKit's compositor blends them. Where it does,
    // the buffer holds the picture alone and the browser enlarges it (a
    // quarter of the pixels to fill at scale 2, a frame that costs the same
    // as a desktop's); elsewhere the page draws the enlarged picture itself.
    browserEnlargesCrisply: function() {
      var agent = navigator.userAgent;
      return !/AppleWebKit/.test(agent) || /Chrome\//.test(agent);
    },

    // The canvas's size for a window asked at `asked` CSS pixels showing a
    // picture of `picture` pixels (each {width, height}), in a viewport of
    // `viewport` CSS pixels at `ratio` device pixels per CSS pixel, its
    // drawing buffer at least `least`: { width, height } in CSS pixels and
    // { bufferWidth, bufferHeight } in device pixels. A window that fits is
    // shown at its size; one that does not at the largest whole multiple of
    // the picture in device pixels that fits, so every picture pixel stays a
    // square block; where not even one device pixel a picture pixel fits, as
    // large as fits. The buffer is the picture's size where the browser
    // enlarges it crisply (`browserEnlarges`), else the shown size in device
    // pixels.
    fitCanvas: function(asked, picture, viewport, ratio, least, browserEnlarges) {
      var width, height;
      if (asked.width <= viewport.width && asked.height <= viewport.height) {
        width = asked.width;
        height = asked.height;
      } else {
        var multiple = Math.floor(Math.min(viewport.width * ratio / picture.width,
                                           viewport.height * ratio / picture.height));
        if (multiple >= 1) {
          width = multiple * picture.width / ratio;
          height = multiple * picture.height / ratio;
        } else {
          var shrink = Math.min(viewport.width / picture.width, viewport.height / picture.height);
          width = Math.max(1, Math.floor(picture.width * shrink));
          height = Math.max(1, Math.floor(picture.height * shrink));
        }
      }
      var buffer = browserEnlarges ? picture : { width: Math.round(width * ratio),
                                                 height: Math.round(height * ratio) };
      return { width: width, height: height,
               bufferWidth: Math.max(least.width, buffer.width),
               bufferHeight: Math.max(least.height, buffer.height) };
    },

    // The viewport in CSS pixels, less what a touch screen's on-screen
    // controls (the page's #controls) take: the bottom of a screen that
    // stands, the right of one that lies.
    roomForCanvas: function() {
      var room = { width: window.innerWidth, height: window.innerHeight };
      var controls = document.getElementById('controls');
      if (!controls)
        return room;
      var box = controls.getBoundingClientRect();
      if (window.matchMedia('(orientation: landscape)').matches)
        room.width = Math.max(1, room.width - box.width);
      else
        room.height = Math.max(1, room.height - box.height);
      return room;
    },

    // Fits the canvas to the viewport as it is now, if anything it depends
    // on changed since the last fit.
    refit: function() {
      var canvas = Page.canvas, opened = Page.window;
      if (!canvas || !opened)
        return;
      var viewport = Page.roomForCanvas();
      var ratio = window.devicePixelRatio || 1;
      var last = Page.fitted;
      if (last && last.viewport.width == viewport.width && last.viewport.height == viewport.height &&
          last.ratio == ratio)
        return;
      var crisp = Page.browserEnlargesCrisply();
      var fit = Page.fitCanvas(opened, opened.picture, viewport, ratio, opened.least, crisp);
      canvas.style.imageRendering = crisp ? 'pixelated' : 'auto';
      Page.fitted = { viewport: viewport, ratio: ratio };
      canvas.style.width = fit.width + 'px';
      canvas.style.height = fit.height + 'px';
      if (canvas.width != fit.bufferWidth || canvas.height != fit.bufferHeight) {
        canvas.width = fit.bufferWidth;
        canvas.height = fit.bufferHeight;
        if (Page.onBufferResized)
          Page.onBufferResized();
      }
    },

    // Where messages go in the page: the element with id "messages" when
    // the page has one, else the body.
    messageList: function() {
      return document.getElementById('messages') || document.body;
    },

    // Adds a message line to the page; returns it.
    addMessage: function(text) {
      var line = document.createElement('p');
      line.className = 'message';
      line.textContent = text;
      Page.messageList().appendChild(line);
      return line;
    },

    // While the program runs, the right button turns the view: the
    // browser's context menu would open wherever it is pressed.
    keepContextMenu: function(event) {
      if (!ABORT)
        event.preventDefault();
    },

    // Hands the shots to the browser one at a time, in order, each once
    // its PNG is ready.
    deliverShots: function() {
      var shot = Page.shots[0];
      if (Page.delivering || !shot || !shot.done)
        return;
      Page.shots.shift();
      if (!shot.blob) {
        Page.addMessage('undercroft: ' + shot.name + ' could not be made: the browser gave no PNG');
        Page.deliverShots();
        return;
      }
      var link = document.createElement('a');
      link.href = URL.createObjectURL(shot.blob);
      link.download = shot.name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      // The browser reads the bytes through the link's URL when it starts
      // the download; they are freed once it has had time to.
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 10000);
      Page.delivering = true;
      setTimeout(function() {
        Page.delivering = false;
        Page.deliverShots();
      }, Page.downloadGapMs);
    },
  },

  // A canvas "window" of width x height CSS pixels at the page's top-left
  // corner showing a picture of pictureWidth x pictureHeight pixels
  // enlarged; its drawing buffer at least leastWidth x leastHeight. Hidden
  // until its first frame is presented.
  pageOpenCanvas__deps: ['$Page'],
  pageOpenCanvas: function(title, width, height, pictureWidth, pictureHeight, leastWidth, leastHeight) {
    var canvas = document.createElement('canvas');
    canvas.style.position = 'absolute';
    canvas.style.left = '0px';
    canvas.style.top = '0px';
    // A new window shows nothing until its first frame is presented.
    canvas.style.visibility = 'hidden';
    canvas.setAttribute('aria-label', UTF8ToString(title));
    document.body.appendChild(canvas);
    Page.canvas = canvas;
    Page.window = { width: width, height: height,
                    picture: { width: pictureWidth, height: pictureHeight },
                    least: { width: leastWidth, height: leastHeight } };
    Page.fitted = null;
    Page.refit();
    if (!Page.listening) {
      Page.listening = true;
      window.addEventListener('resize', Page.refit);
      document.addEventListener('contextmenu', Page.keepContextMenu);
    }
  },

  pageCloseCanvas__deps: ['$Page'],
  pageCloseCanvas: function() {
    if (!Page.canvas)
      return;
    Page.canvas.remove();
    Page.canvas = null;
    Page.window = null;
  },

  // The canvas's rectangle in viewport pixels into four ints at `rect`
  // (left, top, width, height); 0 when there is no canvas.
  pageCanvasRect__deps: ['$Page'],
  pageCanvasRect: function(rect) {
    if (!Page.canvas)
      return 0;
    var box = Page.canvas.getBoundingClientRect();
    HEAP32[(rect >> 2) + 0] = Math.round(box.left);
    HEAP32[(rect >> 2) + 1] = Math.round(box.top);
    HEAP32[(rect >> 2) + 2] = Math.round(box.width);
    HEAP32[(rect >> 2) + 3] = Math.round(box.height);
    return 1;
  },

  // Puts the canvas's top-left corner at viewport position (x, y).
  pageMoveCanvas__deps: ['$Page'],
  pageMoveCanvas: function(x, y) {
    if (!Page.canvas)
      return;
    Page.canvas.style.left = (x + window.scrollX) + 'px';
    Page.canvas.style.top = (y + window.scrollY) + 'px';
  },

  pageHideCursor__deps: ['$Page'],
  pageHideCursor: function() {
    if (Page.canvas)
      Page.canvas.style.cursor = 'none';
  },

  // A message box: a line "caption: text" in the page (the caller writes
  // the same line on stderr, the console).
  pageShowMessage__deps: ['$Page'],
  pageShowMessage: function(caption, text) {
    Page.addMessage(UTF8ToString(caption) + ': ' + UTF8ToString(text));
  },

  // The frame just drawn is what the canvas shows from now on; counted for
  // the statistics.
  pagePresent__deps: ['$Page'],
  pagePresent: function() {
    var now = performance.now();
    var stats = Page.stats;
    if (Page.canvas)
      Page.canvas.style.visibility = 'visible';
    if (stats.firstFrameMs < 0)
      stats.firstFrameMs = now;
    if (stats.resumedAt >= 0)
      stats.workMs += now - stats.resumedAt;
    stats.frames++;
    Module['frameStats'] = stats;
  },

  // Waits (yielding to the browser) for the animation frame in which the
  // next frame may be shown: the browser composites what was drawn before
  // the wait, and frames never come faster than framesPerSecond. A change
  // of the display's pixel ratio (the page zoomed, the window moved to
  // another screen) refits the canvas before the frame is drawn.
  pageAwaitFrame__deps: ['$Page', '$Asyncify'],
  pageAwaitFrame: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      function step(now) {
        if (!Page.frameDue(now)) {
          requestAnimationFrame(step);
          return;
        }
        Page.refit();
        Page.stats.resumedAt = performance.now();
        wakeUp();
      }
      requestAnimationFrame(step);
    });
  },

  // Encodes width x height RGB pixels (top row first) as a PNG with the
  // browser's own encoder and hands it to the browser as a download named
  // `name`, after the shots before it. The pixels are copied at once.
  pageSavePng__deps: ['$Page'],
  pageSavePng: function(name, width, height, rgb) {
    var image = new ImageData(width, height);
    var source = HEAPU8.subarray(rgb, rgb + width * height * 3), target = image.data;
    for (var i = 0, j = 0; i < source.length; i += 3, j += 4) {
      target[j] = source[i];
      target[j + 1] = source[i + 1];
      target[j + 2] = source[i + 2];
      target[j + 3] = 255;
    }
    var shot = { name: UTF8ToString(name), blob: null, done: false };
    Page.shots.push(shot);
    var canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').putImageData(image, 0, 0);
    canvas.toBlob(function(blob) {
      shot.blob = blob;
      shot.done = true;
      Page.deliverShots();
    }, 'image/png');
  },
});
