// Objects made by constructors, property reads and writes, and methods
// found through the prototype: a small particle simulation.
function Vec(x, y) {
	this.x = x;
	this.y = y;
}
Vec.prototype.add = function (o) { return new Vec(this.x + o.x, this.y + o.y); };
Vec.prototype.scale = function (k) { return new Vec(this.x * k, this.y * k); };

function Particle(i) {
	this.pos = new Vec(i, -i);
	this.vel = new Vec(1 / (i + 1), 0.5);
	this.hits = 0;
}
Particle.prototype.step = function (dt) {
	this.pos = this.pos.add(this.vel.scale(dt));
	if (this.pos.x > 100 || this.pos.x < -100) {
		this.vel.x = -this.vel.x;
		this.hits++;
	}
	if (this.pos.y > 100 || this.pos.y < -100) {
		this.vel.y = -this.vel.y;
		this.hits++;
	}
};

var first = null;
for (var i = 0; i < 50; i++) {
	var p = new Particle(i);
	p.next = first;
	first = p;
}
for (var t = 0; t < 9000; t++)
	for (var q = first; q; q = q.next)
		q.step(0.25);

var hits = 0, sx = 0;
for (var q = first; q; q = q.next) {
	hits += q.hits;
	sx += q.pos.x;
}
print(hits, sx - sx % 0.001);
