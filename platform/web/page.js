// The page side of the web backend (an Emscripten JS library): the canvas
// that stands in for the game window, its place in the page, the message
// lines, the wait for the browser's next animation frame that paces
// presentation, and the queue that hands PNG shots to the browser. The
// page's "desktop" is the browser's viewport: the cursor and the canvas's
// rectangle are both read in its (client) coordinates.
mergeInto(LibraryManager.library, {
  $Page: {
    canvas: null,
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
    listening: false, // to context menus

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

  // A canvas of width x height pixels on the page whose drawing buffer has
  // one pixel for every `scale` x `scale` of them: the browser enlarges the
  // buffer to the canvas by repeating its pixels.
  pageOpenCanvas__deps: ['$Page'],
  pageOpenCanvas: function(title, width, height, scale) {
    var canvas = document.createElement('canvas');
    canvas.width = width / scale;
    canvas.height = height / scale;
    canvas.style.position = 'absolute';
    canvas.style.left = '0px';
    canvas.style.top = '0px';
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.style.imageRendering = 'pixelated';
    // A new window shows nothing until its first frame is presented.
    canvas.style.visibility = 'hidden';
    canvas.setAttribute('aria-label', UTF8ToString(title));
    document.body.appendChild(canvas);
    Page.canvas = canvas;
    if (!Page.listening) {
      Page.listening = true;
      document.addEventListener('contextmenu', Page.keepContextMenu);
    }
  },

  pageCloseCanvas__deps: ['$Page'],
  pageCloseCanvas: function() {
    if (!Page.canvas)
      return;
    Page.canvas.remove();
    Page.canvas = null;
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
  // the wait, and frames never come faster than framesPerSecond.
  pageAwaitFrame__deps: ['$Page', '$Asyncify'],
  pageAwaitFrame: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      function step(now) {
        if (!Page.frameDue(now)) {
          requestAnimationFrame(step);
          return;
        }
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
